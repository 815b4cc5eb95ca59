#include "host/controls/print/print_page_layout.h"

#include <algorithm>
#include <cmath>

namespace zel {

PrintPageLayout::PrintPageLayout(const PrintPageMetrics& metrics, std::size_t rows,
                                 bool titleOnEveryPage, bool repeatHeader)
    : metrics_(metrics),
      rows_(rows),
      titleOnEveryPage_(titleOnEveryPage),
      repeatHeader_(repeatHeader) {
    const double width = Content().width();
    if (metrics_.tableWidth > width && metrics_.tableWidth > 0) {
        scale_ = width / metrics_.tableWidth;
    }
    firstPageRows_ = RowsFitting(true, true);
    otherPageRows_ = RowsFitting(titleOnEveryPage_, repeatHeader_);
    if (rows_ > firstPageRows_) {
        const std::size_t rest = rows_ - firstPageRows_;
        pageCount_ = 1 + static_cast<int>((rest + otherPageRows_ - 1) / otherPageRows_);
    }
}

QRectF PrintPageLayout::Content() const {
    return QRectF(QPointF(0, 0), metrics_.paper).marginsRemoved(metrics_.margins);
}

// At least one row a page, however small the paper: a page count must always come out.
std::size_t PrintPageLayout::RowsFitting(bool title, bool header) const {
    double height = Content().height() - metrics_.footerHeight;
    if (title) {
        height -= metrics_.titleHeight;
    }
    if (header) {
        height -= metrics_.headerHeight * scale_;
    }
    const double rowHeight = metrics_.rowHeight * scale_;
    if (rowHeight <= 0 || height < rowHeight) {
        return 1;
    }
    return static_cast<std::size_t>(std::floor(height / rowHeight));
}

std::size_t PrintPageLayout::FirstRow(int page) const {
    if (page <= 0) {
        return 0;
    }
    const auto later = static_cast<std::size_t>(page - 1);
    return std::min(rows_, firstPageRows_ + later * otherPageRows_);
}

std::size_t PrintPageLayout::RowsOn(int page) const {
    if (page < 0 || page >= pageCount_) {
        return 0;
    }
    const std::size_t capacity = page == 0 ? firstPageRows_ : otherPageRows_;
    return std::min(capacity, rows_ - FirstRow(page));
}

}  // namespace zel
