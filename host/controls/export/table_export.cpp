#include "host/controls/export/table_export.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>
#include <algorithm>
#include <array>

#include "host/controls/export/csv_table_writer.h"
#include "host/controls/export/export_columns.h"
#include "host/controls/export/file_list_language.h"
#include "host/controls/export/xlsx_table_writer.h"
#include "host/objects/resource_texts.h"

namespace zel {
namespace {

struct FileKind {
    ExportFormat format;
    const char* filterKey;
    const char* suffix;
};

// In the order the save dialog offers them, PDF last; the first is the default.
constexpr std::array<FileKind, 3> kFileKinds{{
    {ExportFormat::kCsv, "Zel.HOST.EXPORT.csv_filter", ".csv"},
    {ExportFormat::kXlsx, "Zel.HOST.EXPORT.xlsx_filter", ".xlsx"},
    {ExportFormat::kPdf, "Zel.HOST.EXPORT.pdf_filter", ".pdf"},
}};

QStringList NameFilters(ExportKinds kinds) {
    QStringList filters;
    for (const FileKind& kind : kFileKinds) {
        if (kind.format != ExportFormat::kPdf || kinds == ExportKinds::kTablesAndPdf) {
            filters << ResourceQString(kind.filterKey);
        }
    }
    return filters;
}

const FileKind& ChosenKind(const QFileDialog& dialog) {
    const auto chosen =
        NameFilters(ExportKinds::kTablesAndPdf).indexOf(dialog.selectedNameFilter());
    return kFileKinds[chosen > 0 ? static_cast<std::size_t>(chosen) : 0];
}

QString WithSuffix(QString path, const FileKind& kind) {
    const QString suffix = QString::fromLatin1(kind.suffix);
    if (!path.endsWith(suffix, Qt::CaseInsensitive)) {
        path += suffix;
    }
    return path;
}

// Without the serial column the headers start at the grid's column 1, and so must the
// descriptions, which always begin with the serial number.
std::vector<ExportColumn> HeaderColumns(const PrintData& data, std::string_view types,
                                        std::string_view sizes) {
    std::vector<ExportColumn> columns = ReadExportColumns(types, sizes);
    if (!data.serialNumbers && !columns.empty()) {
        columns.erase(columns.begin());
    }
    return columns;
}

// The dialog's own question would name the file before its suffix is added, and would not go
// through showModal.
bool MayReplace(const ModalShower& showModal, QWidget* parent, const QString& path) {
    if (!QFileInfo::exists(path)) {
        return true;
    }
    QMessageBox question(QMessageBox::Question, ResourceQString("Zel.HOST.EXPORT.title"),
                         ResourceQString("Zel.HOST.EXPORT.replace", {path.toStdString()}),
                         QMessageBox::Yes | QMessageBox::No, parent);
    question.setDefaultButton(QMessageBox::No);
    return showModal(question) == QMessageBox::Yes;
}

}  // namespace

std::optional<ExportTarget> ChooseExportTarget(const ModalShower& showModal, QWidget* parent,
                                               const std::string& suggestedName,
                                               ExportKinds kinds) {
    QFileDialog dialog(parent, ResourceQString("Zel.HOST.EXPORT.title"));
    // The platform's own dialog would run its own event loop, out of reach of showModal.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(NameFilters(kinds));
    SpeakApplicationLanguage(dialog);
    dialog.selectFile(QString::fromStdString(suggestedName));
    while (showModal(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const FileKind& kind = ChosenKind(dialog);
        const QString path = WithSuffix(dialog.selectedFiles().constFirst(), kind);
        if (MayReplace(showModal, parent, path)) {
            return ExportTarget{path.toStdString(), kind.format};
        }
    }
    return std::nullopt;
}

std::string ExportFileName(const PrintData& data) {
    std::string name = data.warehouse.empty() ? data.title : data.title + " " + data.warehouse;
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos; },
        '_');
    return name;
}

bool WriteTableFile(const ExportTarget& target, const PrintData& data, std::string_view types,
                    std::string_view sizes, std::string& error) {
    std::string reason;
    bool written = false;
    switch (target.format) {
        case ExportFormat::kCsv:
            written = WriteCsvTable(target.path, data, HeaderColumns(data, types, sizes), reason);
            break;
        case ExportFormat::kXlsx:
            written = WriteXlsxTable(target.path, data, HeaderColumns(data, types, sizes), reason);
            break;
        case ExportFormat::kPdf:
            error = ResourceTexts::Instance().Text("Zel.HOST.EXPORT.pdf_elsewhere");
            return false;
    }
    if (!written) {
        error =
            ResourceTexts::Instance().Format("Zel.HOST.EXPORT.write_failed", {target.path, reason});
    }
    return written;
}

}  // namespace zel
