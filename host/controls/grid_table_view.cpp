#include "host/controls/grid_table_view.h"

#include "host/controls/grid_header_view.h"

namespace zel {

GridTableView::GridTableView(QWidget* parent) : QTableView(parent) {
    setHorizontalHeader(new GridHeaderView(this));
}

void GridTableView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                const QList<int>& roles) {
    const int firstShown = rowAt(0);
    const int lastShown = rowAt(viewport()->height() - 1);
    const bool belowSight = lastShown >= 0 && topLeft.row() > lastShown;
    const bool aboveSight = firstShown >= 0 && bottomRight.row() < firstShown;
    if (isVisible() && (belowSight || aboveSight)) {
        return;
    }
    QTableView::dataChanged(topLeft, bottomRight, roles);
}

}  // namespace zel
