#include "host/controls/print/print_control.h"

#include <QFile>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

#include "host/controls/export/table_export.h"
#include "host/controls/print/free_heap.h"
#include "host/controls/print/print_document.h"
#include "host/controls/print/print_job.h"
#include "host/controls/print/print_page_setup_dialog.h"
#include "host/controls/print/print_preview_dialog.h"
#include "host/objects/resource_texts.h"

namespace zel {
namespace {

constexpr int kSaveStyleEvent = 0;

std::optional<std::string> ReadText(const std::string& text, bool isFile) {
    if (!isFile) {
        return text;
    }
    QFile file(QString::fromStdString(text));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll().toStdString();
}

// The paper the user chose in the print dialog, when the style can describe it.
PrintStyle OnPaperOf(const QPrinter& printer, PrintStyle style) {
    const QPageLayout page = printer.pageLayout();
    const auto& sizes = PrintPaperSizes();
    if (std::find(sizes.begin(), sizes.end(), page.pageSize().id()) != sizes.end()) {
        style.paper = page.pageSize().id();
        style.orientation = page.orientation();
    }
    return style;
}

}  // namespace

PrintControl::PrintControl(ModalShower showModal, QWidget* parent)
    : QWidget(parent), showModal_(std::move(showModal)) {
    setObjectName(QStringLiteral("Prn"));
    hide();
}

PrintControl::~PrintControl() = default;

void PrintControl::SetOwner(long long windowHandle) {
    owner_ = QWidget::find(static_cast<WId>(windowHandle));
}

QWidget* PrintControl::OwnerWindow() {
    return owner_ ? owner_.data() : window();
}

int PrintControl::SetDataStyleXML(const std::string& data, bool dataIsFile,
                                  const std::string& style, bool styleIsFile,
                                  const std::string& styleName) {
    const auto dataText = ReadText(data, dataIsFile);
    const auto styleText = ReadText(style, styleIsFile);
    if (!dataText || !styleText) {
        return 1;
    }
    auto parsedData = PrintData::Parse(*dataText);
    auto parsedStyle = PrintStyle::Parse(*styleText);
    if (!parsedData || !parsedStyle) {
        return 1;
    }
    document_.reset();
    data_ = std::move(parsedData);
    style_ = std::move(*parsedStyle);
    styleName_ = styleName;
    return 0;
}

const PrintDocument* PrintControl::Document() {
    if (!document_ && data_) {
        document_ = std::make_unique<PrintDocument>(*data_, style_);
    }
    return document_.get();
}

void PrintControl::PrintPreview() {
    const PrintDocument* document = Document();
    if (document == nullptr) {
        return;
    }
    {
        PrintPreviewDialog preview(
            *document, [this] { DoPrint(); }, OwnerWindow());
        showModal_(preview);
    }
    ReturnFreeHeapToSystem();
}

int PrintControl::DoPrint() {
    const PrintDocument* document = Document();
    if (document == nullptr) {
        return 1;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(document->PageLayout());
    printer.setDocName(QString::fromStdString(data_->title));
    QPrintDialog dialog(&printer, OwnerWindow());
    dialog.setOption(QAbstractPrintDialog::PrintToFile);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setMinMax(1, document->PageCount());
    if (showModal_(dialog) != QDialog::Accepted) {
        return 1;
    }
    const bool printed = PrintOn(printer);
    ReturnFreeHeapToSystem();
    return printed ? 0 : 1;
}

bool PrintControl::PrintOn(QPrinter& printer) {
    const PrintDocument document(*data_, OnPaperOf(printer, style_));
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        return PrintPages(document, printer, printer.fromPage() - 1, printer.toPage() - 1);
    }
    return PrintPages(document, printer, 0, document.PageCount() - 1);
}

int PrintControl::PageSetup() {
    std::vector<std::string> captions;
    if (data_) {
        captions = data_->headers;
    } else {
        for (const auto& column : style_.columns) {
            captions.push_back(column.caption);
        }
    }
    PrintPageSetupDialog setup(style_, captions, OwnerWindow());
    if (showModal_(setup) != QDialog::Accepted) {
        return -1;
    }
    style_ = setup.Style();
    document_.reset();
    return 0;
}

void PrintControl::TriggerEvent(int event) {
    if (event == kSaveStyleEvent) {
        emit SaveStyle(QVariant(QString::fromStdString(style_.ToXml())), QVariant(QString()));
    }
}

int PrintControl::ExportToFile(int& status, const std::string& types, const std::string& sizes,
                               const std::string&, const std::string&) {
    status = 1;
    const PrintDocument* document = Document();
    if (document == nullptr) {
        return status;
    }
    const auto target = ChooseExportTarget(showModal_, OwnerWindow(), ExportFileName(*data_));
    if (!target) {
        return status;
    }
    std::string error;
    const bool written = target->format == ExportFormat::kPdf
                             ? WritePrintPdf(*document, target->path)
                             : WriteTableFile(*target, *data_, types, sizes, error);
    ReturnFreeHeapToSystem();
    if (!written) {
        ShowExportFailure(error.empty() ? target->path : error);
        return status;
    }
    status = 0;
    return status;
}

void PrintControl::ShowExportFailure(const std::string& reason) {
    QMessageBox box(QMessageBox::Warning, ResourceQString("Zel.AA.ARCHIVE.COMMON.exclamation"),
                    ResourceQString("Zel.HOST.PRINT.export_failed", {reason}), QMessageBox::Ok,
                    OwnerWindow());
    showModal_(box);
}

}  // namespace zel
