#pragma once

#include <Qt>

namespace zel {

class FlexGrid;

// Sorts the rows of a grid the host formatted: a column compares by the kind its field's name
// tells ("i…" numbers, "d…" dates, other texts; the serial number column 0 as numbers), and the
// serial numbers run 1..n again in the new order. The header row stays; the current row follows
// its row.
class GridRowSorter {
public:
    explicit GridRowSorter(FlexGrid& grid) : grid_(grid) {}

    // False for a column outside the grid.
    bool Sort(int col, Qt::SortOrder order);

private:
    void RenumberSerials();

    FlexGrid& grid_;
};

}  // namespace zel
