#include "host/controls/grid_column_widths.h"

#include <QHeaderView>
#include <algorithm>
#include <climits>

#include "host/controls/grid_table_view.h"

namespace zel {

GridColumnWidths::GridColumnWidths(GridTableView& view, int sampleRows) : view_(view) {
    view_.horizontalHeader()->setResizeContentsPrecision(sampleRows);
    // Every resize the grid does not make itself is the user's: a drag or a double click on a
    // column's edge.
    connect(view_.horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int col) { NoteResized(col); });
}

void GridColumnWidths::SetWidth(int col, int pixels) {
    settingWidth_ = true;
    view_.setColumnWidth(col, pixels);
    settingWidth_ = false;
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
}

void GridColumnWidths::FitAll() {
    const int cols = view_.model() != nullptr ? view_.model()->columnCount() : 0;
    for (int col = 0; col < cols; ++col) {
        Fit(col, INT_MAX);
    }
}

void GridColumnWidths::ForgetFrom(int col) {
    limits_.erase(limits_.lower_bound(col), limits_.end());
    userSized_.erase(userSized_.lower_bound(col), userSized_.end());
}

void GridColumnWidths::Fit(int col, int maxPixels) {
    if (SizedByUser(col)) {
        return;
    }
    const QHeaderView& header = *view_.horizontalHeader();
    const int headerWidth = header.isHidden() ? 0 : header.sectionSizeHint(col);
    SetWidth(col, std::min(std::max(view_.ContentWidth(col), headerWidth), maxPixels));
}

void GridColumnWidths::NoteResized(int col) {
    if (!settingWidth_) {
        userSized_.insert(col);
    }
}

}  // namespace zel
