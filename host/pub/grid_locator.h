#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zel {

class FlexGridModel;

// Finds the next grid row whose cell in a column contains a text, ASCII letters without regard
// to their case and every other character (Chinese among them) as it is. Reads the model's
// stored texts in place: a search of 100,000 rows allocates nothing per row.
class GridLocator {
public:
    GridLocator(const FlexGridModel& model, std::string_view text);

    // Searches the rows below the fixed row from the one after currentRow to the last, then from
    // the first through currentRow itself. Nothing when no row matches or the text is empty.
    std::optional<int> FindNext(int col, int currentRow) const;

private:
    bool Matches(int row, int col) const;

    const FlexGridModel& model_;
    std::string lowered_;
};

}  // namespace zel
