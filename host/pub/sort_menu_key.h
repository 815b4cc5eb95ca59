#pragma once

#include <Qt>
#include <optional>
#include <string>
#include <string_view>

namespace zel {

// The item key of the grid's sort pop-up: the column and the order it sorts by, written as
// "Sort.<column>.Asc" or "Sort.<column>.Desc". The pop-up writes it; the window hands it back to
// GridSortNew, which reads it.
struct SortMenuKey {
    int col = 0;
    Qt::SortOrder order = Qt::AscendingOrder;

    std::string Text() const;
    // Nothing for a key the pop-up did not write.
    static std::optional<SortMenuKey> Parse(std::string_view text);
};

}  // namespace zel
