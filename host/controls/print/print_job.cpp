#include "host/controls/print/print_job.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "host/controls/print/print_document.h"

namespace zel {
namespace {

constexpr double kPointsPerInch = 72.0;

}  // namespace

bool PrintPages(const PrintDocument& document, QPrinter& printer, int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, document.PageCount() - 1);
    printer.setPageLayout(document.PageLayout());
    // The document draws its own margins: the painter starts at the paper's corner.
    printer.setFullPage(true);
    QPainter painter;
    if (first > last || !painter.begin(&printer)) {
        return false;
    }
    const double scale = printer.resolution() / kPointsPerInch;
    painter.scale(scale, scale);
    for (int page = first; page <= last; ++page) {
        if (page > first) {
            printer.newPage();
        }
        document.PaintPage(painter, page);
    }
    return painter.end();
}

bool WritePrintPdf(const PrintDocument& document, const std::string& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
    return PrintPages(document, printer, 0, document.PageCount() - 1);
}

}  // namespace zel
