#include "host/controls/print/print_document.h"

#include <QFontMetricsF>
#include <QPainter>
#include <numeric>

#include "host/objects/resource_texts.h"

namespace zel {
namespace {

constexpr double kRowSpacing = 1.5;
constexpr double kTitleSpacing = 1.5;
constexpr double kHeadingSpacing = 1.8;
constexpr double kFooterSpacing = 2.0;
constexpr double kThinLine = 0.5;
const QColor kHeaderFill(235, 235, 235);

double HeadingLineHeight(const PrintFonts& fonts) {
    return QFontMetricsF(fonts.cell).height() * kHeadingSpacing;
}

// The title, the warehouse line when the data names a warehouse, and the line of account, user
// and date.
double TitleHeight(const PrintFonts& fonts, const PrintData& data) {
    const int headingLines = data.warehouse.empty() ? 1 : 2;
    return QFontMetricsF(fonts.title).height() * kTitleSpacing +
           HeadingLineHeight(fonts) * headingLines;
}

PrintPageMetrics MetricsOf(const QPageLayout& page, const PrintFonts& fonts,
                           const std::vector<PrintColumn>& columns, const PrintData& data) {
    PrintPageMetrics metrics;
    metrics.paper = page.fullRect(QPageLayout::Point).size();
    metrics.margins = page.margins(QPageLayout::Point);
    metrics.titleHeight = TitleHeight(fonts, data);
    metrics.headerHeight = QFontMetricsF(fonts.header).height() * kRowSpacing;
    metrics.rowHeight = QFontMetricsF(fonts.cell).height() * kRowSpacing;
    metrics.footerHeight = QFontMetricsF(fonts.cell).height() * kFooterSpacing;
    metrics.tableWidth =
        std::accumulate(columns.begin(), columns.end(), 0.0,
                        [](double sum, const PrintColumn& column) { return sum + column.width; });
    return metrics;
}

}  // namespace

PrintDocument::PrintDocument(const PrintData& data, const PrintStyle& style)
    : data_(data),
      pageLayout_(style.PageLayout()),
      fonts_(PrintFonts::OfSize(style.fontSize)),
      columns_(ChoosePrintColumns(data, style, fonts_)),
      layout_(MetricsOf(pageLayout_, fonts_, columns_, data), data.RowCount(),
              style.titleOnEveryPage, style.repeatHeader) {}

void PrintDocument::PaintPage(QPainter& painter, int page) const {
    if (page < 0 || page >= PageCount()) {
        return;
    }
    painter.save();
    painter.setPen(QPen(Qt::black, kThinLine));
    double top = layout_.Content().top();
    if (layout_.ShowsTitle(page)) {
        PaintTitle(painter, top);
        top += layout_.Metrics().titleHeight;
    }
    PaintTable(painter, page, top);
    PaintPageNumber(painter, page);
    painter.restore();
}

void PrintDocument::PaintTitle(QPainter& painter, double top) const {
    const QRectF content = layout_.Content();
    const double titleHeight = QFontMetricsF(fonts_.title).height() * kTitleSpacing;
    painter.setFont(fonts_.title);
    painter.drawText(QRectF(content.left(), top, content.width(), titleHeight), Qt::AlignCenter,
                     QString::fromStdString(data_.title));
    painter.setFont(fonts_.cell);
    double headingTop = top + titleHeight;
    if (!data_.warehouse.empty()) {
        const double lineHeight = HeadingLineHeight(fonts_);
        painter.drawText(QRectF(content.left(), headingTop, content.width(), lineHeight),
                         Qt::AlignHCenter | Qt::AlignVCenter,
                         ResourceQString("Zel.HOST.PRINT.warehouse", {data_.warehouse}));
        headingTop += lineHeight;
    }
    const QRectF heading(content.left(), headingTop, content.width(),
                         top + layout_.Metrics().titleHeight - headingTop);
    painter.drawText(heading, Qt::AlignLeft | Qt::AlignVCenter,
                     ResourceQString("Zel.HOST.PRINT.account", {data_.account}));
    painter.drawText(heading, Qt::AlignHCenter | Qt::AlignVCenter,
                     ResourceQString("Zel.HOST.PRINT.user", {data_.user}));
    painter.drawText(heading, Qt::AlignRight | Qt::AlignVCenter,
                     ResourceQString("Zel.HOST.PRINT.date", {data_.date}));
}

void PrintDocument::PaintTable(QPainter& painter, int page, double top) const {
    const double scale = layout_.TableScale();
    painter.save();
    painter.translate(layout_.Content().left(), top);
    painter.scale(scale, scale);
    double rowsTop = 0;
    if (layout_.ShowsHeader(page)) {
        PaintHeaderRow(painter);
        rowsTop = layout_.Metrics().headerHeight;
    }
    PaintRows(painter, layout_.FirstRow(page), layout_.RowsOn(page), rowsTop);
    painter.restore();
}

void PrintDocument::PaintHeaderRow(QPainter& painter) const {
    const double height = layout_.Metrics().headerHeight;
    painter.setFont(fonts_.header);
    double x = 0;
    for (const auto& column : columns_) {
        const QRectF cell(x, 0, column.width, height);
        painter.fillRect(cell, kHeaderFill);
        painter.drawRect(cell);
        painter.drawText(cell, Qt::AlignCenter,
                         QString::fromStdString(data_.headers[column.dataCol]));
        x += column.width;
    }
}

void PrintDocument::PaintRows(QPainter& painter, std::size_t first, std::size_t count,
                              double top) const {
    const double height = layout_.Metrics().rowHeight;
    const double padding = PrintCellPadding(fonts_);
    const QFontMetricsF metrics(fonts_.cell);
    painter.setFont(fonts_.cell);
    const double bottom = top + height * static_cast<double>(count);
    double x = 0;
    for (const auto& column : columns_) {
        const Qt::Alignment alignment =
            (column.rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        const double textWidth = column.width - 2 * padding;
        for (std::size_t i = 0; i < count; ++i) {
            const QRectF cell(x + padding, top + height * static_cast<double>(i), textWidth,
                              height);
            const QString text = QUtf8StringView(data_.Cell(first + i, column.dataCol)).toString();
            painter.drawText(cell, alignment, metrics.elidedText(text, Qt::ElideRight, textWidth));
        }
        painter.drawLine(QPointF(x, top), QPointF(x, bottom));
        x += column.width;
    }
    painter.drawLine(QPointF(x, top), QPointF(x, bottom));
    for (std::size_t i = 0; i <= count; ++i) {
        const double y = top + height * static_cast<double>(i);
        painter.drawLine(QPointF(0, y), QPointF(x, y));
    }
}

void PrintDocument::PaintPageNumber(QPainter& painter, int page) const {
    const QRectF content = layout_.Content();
    const double height = layout_.Metrics().footerHeight;
    painter.setFont(fonts_.cell);
    painter.drawText(QRectF(content.left(), content.bottom() - height, content.width(), height),
                     Qt::AlignHCenter | Qt::AlignBottom,
                     ResourceQString("Zel.HOST.PRINT.page_number",
                                     {std::to_string(page + 1), std::to_string(PageCount())}));
}

}  // namespace zel
