#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zel {

// The texts of one grid row in a single buffer: cell c runs from the end of cell c-1 to ends[c].
// A row never written holds no allocation at all, so a grid can be sized to many rows at once.
class CellRow {
public:
    std::string_view Cell(int column) const;
    // columnHint is the row's width: the first write reserves room for that many cell ends.
    void SetCell(int column, std::string_view text, int columnHint);
    // Drops the cells from `columns` on.
    void Truncate(int columns);
    std::size_t TextSize() const { return text_.size(); }

private:
    std::string text_;
    std::vector<std::uint32_t> ends_;
};

}  // namespace zel
