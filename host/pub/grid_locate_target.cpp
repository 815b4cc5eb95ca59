#include "host/pub/grid_locate_target.h"

#include "host/controls/flex_grid.h"
#include "host/pub/grid_locator.h"

namespace zel {

std::vector<std::string> GridLocateTarget::Captions() const {
    std::vector<std::string> captions;
    for (int col = 0; col < grid_.Cols(); ++col) {
        captions.push_back(grid_.TextMatrix(0, col));
    }
    return captions;
}

int GridLocateTarget::CurrentColumn() const {
    return grid_.Col();
}

bool GridLocateTarget::MoveToNext(int column, const std::string& text) {
    const auto row = GridLocator(grid_.Model(), text).FindNext(column, grid_.RowSel());
    if (!row) {
        return false;
    }
    grid_.SetRow(*row);
    grid_.SetRowSel(*row);
    return true;
}

}  // namespace zel
