#pragma once

#include <string_view>

namespace zel {

// How the texts of a grid column are read when its rows are sorted.
enum class CellKind {
    kGuessed,  // a number when the text reads as one, else a text
    kNumber,
    kDate,  // yyyy-mm-dd
    kText,
};

// A grid cell as it orders in a sort: empty cells first, then the values of the column's kind,
// then the texts that do not read as that kind. Texts order as the host compares codes (ASCII
// letter case and trailing blanks ignored). The key points into the cell's text and must not
// outlive it.
class CellSortKey {
public:
    CellSortKey() = default;
    static CellSortKey Of(std::string_view cell, CellKind kind);

    friend bool operator<(const CellSortKey& a, const CellSortKey& b);

private:
    enum class Rank { kEmpty, kValue, kText };

    Rank rank_ = Rank::kEmpty;
    double value_ = 0;
    std::string_view text_;
};

}  // namespace zel
