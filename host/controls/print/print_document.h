#pragma once

#include <QPageLayout>
#include <vector>

#include "host/controls/print/print_columns.h"
#include "host/controls/print/print_data.h"
#include "host/controls/print/print_fonts.h"
#include "host/controls/print/print_page_layout.h"
#include "host/controls/print/print_style.h"

class QPainter;

namespace zel {

// Print data laid out in the pages of a style. Pages are painted one at a time when asked for;
// nothing is laid out ahead. The data must outlive the document.
class PrintDocument {
public:
    PrintDocument(const PrintData& data, const PrintStyle& style);

    int PageCount() const { return layout_.PageCount(); }
    const PrintPageLayout& Layout() const { return layout_; }
    const std::vector<PrintColumn>& Columns() const { return columns_; }
    QPageLayout PageLayout() const { return pageLayout_; }
    // The paper in points.
    QSizeF PaperSize() const { return layout_.Metrics().paper; }

    // Paints the page (from 0) with the painter's units being points from the paper's top left
    // corner.
    void PaintPage(QPainter& painter, int page) const;

private:
    void PaintTitle(QPainter& painter, double top) const;
    void PaintTable(QPainter& painter, int page, double top) const;
    void PaintHeaderRow(QPainter& painter) const;
    void PaintRows(QPainter& painter, std::size_t first, std::size_t count, double top) const;
    void PaintPageNumber(QPainter& painter, int page) const;

    const PrintData& data_;
    QPageLayout pageLayout_;
    PrintFonts fonts_;
    std::vector<PrintColumn> columns_;
    PrintPageLayout layout_;
};

}  // namespace zel
