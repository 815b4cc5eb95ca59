#include "host/pub/grid_mouse_position.h"

#include <QTableView>

#include "host/controls/flex_grid.h"
#include "host/controls/twips.h"

namespace zel {

GridMousePosition::GridMousePosition(const FlexGrid& grid, double xTwips, double yTwips)
    : grid_(grid) {
    const Twips twips = Twips::ForScreen(grid.screen());
    pixels_ = QPoint(twips.ToPixelsX(xTwips), twips.ToPixelsY(yTwips));
}

// The column header lies straight above the cells, so the cells' x decides for both.
int GridMousePosition::Column() const {
    const QTableView& view = grid_.View();
    const int cellsX = pixels_.x() - view.viewport()->mapTo(&grid_, QPoint(0, 0)).x();
    return cellsX < 0 ? -1 : view.columnAt(cellsX);
}

QPoint GridMousePosition::Global() const {
    return grid_.mapToGlobal(pixels_);
}

}  // namespace zel
