#include "host/pub/grid_locator.h"

#include <algorithm>

#include "host/controls/flex_grid_model.h"
#include "host/objects/host_text.h"

namespace zel {

GridLocator::GridLocator(const FlexGridModel& model, std::string_view text)
    : model_(model), lowered_(AsciiLower(text)) {}

std::optional<int> GridLocator::FindNext(int col, int currentRow) const {
    const int first = model_.FixedRows();
    const int count = model_.Rows() - first;
    if (lowered_.empty() || count <= 0 || col < 0 || col >= model_.Cols()) {
        return std::nullopt;
    }
    // A current row in the header (or outside the rows) starts the search at the first row.
    const int start =
        currentRow >= first && currentRow < model_.Rows() ? currentRow - first + 1 : 0;
    for (int step = 0; step < count; ++step) {
        const int row = first + (start + step) % count;
        if (Matches(row, col)) {
            return row;
        }
    }
    return std::nullopt;
}

bool GridLocator::Matches(int row, int col) const {
    const std::string_view cell = model_.Text(row, col);
    // UTF-8 bytes of other characters never equal an ASCII letter, so lowering bytes is safe.
    const auto found = std::search(cell.begin(), cell.end(), lowered_.begin(), lowered_.end(),
                                   [](char c, char lowered) { return AsciiLower(c) == lowered; });
    return found != cell.end();
}

}  // namespace zel
