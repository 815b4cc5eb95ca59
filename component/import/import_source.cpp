#include "import/import_source.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>

#include "core/common.h"
#include "host/controls/export/file_list_language.h"

namespace korvel {
namespace {

QString Text(zel::IPub& pub, const char* key) {
    return QString::fromStdString(pub.GetResString(key));
}

std::optional<std::string> ChooseFile(zel::IPub& pub, QWidget& over) {
    QFileDialog dialog(&over, Text(pub, "Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.open_title"));
    // The platform's own dialog would run its own event loop, out of reach of ShowModal.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({Text(pub, "Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.tables_filter"),
                           Text(pub, "Zel.HOST.EXPORT.csv_filter"),
                           Text(pub, "Zel.HOST.EXPORT.xlsx_filter")});
    zel::SpeakApplicationLanguage(dialog);
    if (pub.ShowModal(dialog, &over) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst().toStdString();
}

// nullopt when the user cancels.
std::optional<std::string> ChooseSheet(zel::IPub& pub, QWidget& over, const std::string& path,
                                       const std::vector<std::string>& sheets) {
    QInputDialog dialog(&over);
    dialog.setObjectName("SheetChoice");
    dialog.setWindowTitle(Text(pub, "Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.sheet_title"));
    dialog.setLabelText(QString::fromStdString(pub.GetResFormatString(
        "Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.sheet_prompt",
        {QFileInfo(QString::fromStdString(path)).fileName().toStdString()})));
    QStringList items;
    for (const std::string& sheet : sheets) {
        items << QString::fromStdString(sheet);
    }
    dialog.setComboBoxItems(items);
    dialog.setComboBoxEditable(false);
    dialog.setTextValue(items.constFirst());
    if (pub.ShowModal(dialog, &over) != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue().toStdString();
}

}  // namespace

std::optional<ImportSource> ChooseImportSource(zel::IPub& pub, QWidget& over) {
    const auto path = ChooseFile(pub, over);
    if (!path) {
        return std::nullopt;
    }
    const QString file = QString::fromStdString(*path);
    ImportSource source{*path, zel::DetectTableFormat(file), {}};
    const auto reader = zel::OpenTableReader(file, source.format);
    if (reader->Error().kind != zel::TableReadError::Kind::kNone) {
        ShowInfoMessage(pub, reader->Error().message);
        return std::nullopt;
    }
    const std::vector<std::string> sheets = reader->SheetNames();
    if (sheets.size() > 1) {
        const auto sheet = ChooseSheet(pub, over, *path, sheets);
        if (!sheet) {
            return std::nullopt;
        }
        source.sheet = *sheet;
    }
    return source;
}

}  // namespace korvel
