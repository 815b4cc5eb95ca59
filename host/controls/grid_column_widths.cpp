#include "host/controls/grid_column_widths.h"

#include <QEvent>
#include <QHeaderView>
#include <algorithm>
#include <climits>
#include <vector>

#include "host/controls/grid_table_view.h"

namespace zel {

GridColumnWidths::GridColumnWidths(GridTableView& view, int sampleRows) : view_(view) {
    view_.horizontalHeader()->setResizeContentsPrecision(sampleRows);
    // Every resize the grid does not make itself is the user's: a drag or a double click on a
    // column's edge.
    connect(view_.horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int col) { NoteResized(col); });
    view_.viewport()->installEventFilter(this);
}

void GridColumnWidths::SetWidth(int col, int pixels) {
    own_[col] = pixels;
    Apply(col, pixels);
    Spread();
}

void GridColumnWidths::SetSpread(bool spread) {
    spread_ = spread;
    Spread();
}

void GridColumnWidths::FollowContents(int col, int maxPixels) {
    limits_[col] = maxPixels;
}

void GridColumnWidths::RowsShown() {
    if (!rowsExpected_ || view_.model() == nullptr || view_.model()->rowCount() == 0) {
        return;
    }
    rowsExpected_ = false;
    for (const auto& [col, maxPixels] : limits_) {
        Fit(col, maxPixels);
    }
    Spread();
}

void GridColumnWidths::FitAll() {
    const int cols = view_.model() != nullptr ? view_.model()->columnCount() : 0;
    for (int col = 0; col < cols; ++col) {
        Fit(col, INT_MAX);
    }
    Spread();
}

void GridColumnWidths::ForgetFrom(int col) {
    limits_.erase(limits_.lower_bound(col), limits_.end());
    own_.erase(own_.lower_bound(col), own_.end());
    userSized_.erase(userSized_.lower_bound(col), userSized_.end());
}

void GridColumnWidths::Fit(int col, int maxPixels) {
    if (SizedByUser(col)) {
        return;
    }
    const QHeaderView& header = *view_.horizontalHeader();
    const int headerWidth = header.isHidden() ? 0 : header.sectionSizeHint(col);
    const int fitted = std::min(std::max(view_.ContentWidth(col), headerWidth), maxPixels);
    own_[col] = fitted;
    Apply(col, fitted);
}

void GridColumnWidths::Apply(int col, int pixels) {
    settingWidth_ = true;
    view_.setColumnWidth(col, pixels);
    settingWidth_ = false;
}

// Only columns that follow their contents share: a width the program set outright (the serial
// number's) or the user chose stays as it is. Each sharer gets spare in proportion to its own
// width, the rounding left to the last, so that the columns end exactly at the view's edge and
// no scroll bar appears for a pixel.
void GridColumnWidths::Spread() {
    if (!spread_ || view_.model() == nullptr) {
        return;
    }
    const int cols = view_.model()->columnCount();
    std::vector<std::pair<int, int>> sharers;  // column, own width
    int used = 0;
    int sharedOwn = 0;
    for (int col = 0; col < cols; ++col) {
        if (view_.isColumnHidden(col)) {
            continue;
        }
        if (!limits_.contains(col) || SizedByUser(col)) {
            used += view_.columnWidth(col);
            continue;
        }
        const int own = own_.try_emplace(col, view_.columnWidth(col)).first->second;
        sharers.emplace_back(col, own);
        used += own;
        sharedOwn += own;
    }
    const int spare = std::max(0, view_.viewport()->width() - used);
    int given = 0;
    for (std::size_t i = 0; i < sharers.size(); ++i) {
        const auto [col, own] = sharers[i];
        const int share =
            i + 1 == sharers.size()
                ? spare - given
                : static_cast<int>(static_cast<long long>(spare) * own / std::max(sharedOwn, 1));
        given += share;
        Apply(col, own + share);
    }
}

bool GridColumnWidths::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_.viewport() && event->type() == QEvent::Resize) {
        Spread();
    }
    return QObject::eventFilter(watched, event);
}

void GridColumnWidths::NoteResized(int col) {
    if (!settingWidth_) {
        userSized_.insert(col);
    }
}

}  // namespace zel
