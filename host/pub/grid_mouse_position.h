#pragma once

#include <QPoint>

namespace zel {

class FlexGrid;

// A mouse position the grid reported in twips from its top left corner, read back against what
// the grid shows now: its columns as scrolled, behind any vertical header and frame.
class GridMousePosition {
public:
    GridMousePosition(const FlexGrid& grid, double xTwips, double yTwips);

    // The grid column under the position; -1 left of the cells or right of the last column.
    int Column() const;
    QPoint Global() const;

private:
    const FlexGrid& grid_;
    QPoint pixels_;
};

}  // namespace zel
