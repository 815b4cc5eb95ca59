#pragma once

#include <QMarginsF>
#include <QRectF>
#include <QSizeF>
#include <cstddef>

namespace zel {

// The measures a printed list is laid out from, in points.
struct PrintPageMetrics {
    QSizeF paper;
    QMarginsF margins;
    // The title and heading lines above the table.
    double titleHeight = 0;
    // The table at its natural size: before it is scaled to the paper's width.
    double headerHeight = 0;
    double rowHeight = 0;
    double tableWidth = 0;
    // The page number line at the bottom.
    double footerHeight = 0;
};

// Which rows go on which page. The table is scaled down as a whole when it is wider than the
// paper (never split across pages, never enlarged); every page but the first holds the same
// number of rows, so the page count and the rows of a page are arithmetic, whatever the rows.
class PrintPageLayout {
public:
    PrintPageLayout(const PrintPageMetrics& metrics, std::size_t rows, bool titleOnEveryPage,
                    bool repeatHeader);

    const PrintPageMetrics& Metrics() const { return metrics_; }
    QRectF Content() const;
    // The factor the table is drawn at.
    double TableScale() const { return scale_; }
    int PageCount() const { return pageCount_; }
    // Pages count from 0.
    std::size_t FirstRow(int page) const;
    std::size_t RowsOn(int page) const;
    bool ShowsTitle(int page) const { return page == 0 || titleOnEveryPage_; }
    bool ShowsHeader(int page) const { return page == 0 || repeatHeader_; }
    std::size_t RowsOnFirstPage() const { return firstPageRows_; }
    std::size_t RowsOnOtherPages() const { return otherPageRows_; }

private:
    std::size_t RowsFitting(bool title, bool header) const;

    PrintPageMetrics metrics_;
    std::size_t rows_;
    bool titleOnEveryPage_;
    bool repeatHeader_;
    double scale_ = 1;
    std::size_t firstPageRows_ = 1;
    std::size_t otherPageRows_ = 1;
    int pageCount_ = 1;
};

}  // namespace zel
