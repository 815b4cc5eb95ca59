#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zel {

// How the texts of a grid column are read when its rows are sorted.
enum class CellKind {
    kGuessed,  // a number when the text reads as one, else a text
    kNumber,
    kDate,  // a date the host reads (HostDate)
    kText,
};

// The sort keys of one column's cells, in the order they were added. A cell orders by its rank
// first: empty cells, then the values of the column's kind, then the texts that do not read as
// that kind. Texts order as the host compares codes (ASCII letter case and trailing blanks make
// no difference): they are kept lowered in one block, so that comparing two of them is a plain
// byte comparison that touches neither the grid's rows nor the letter case.
class ColumnSortKeys {
public:
    explicit ColumnSortKeys(CellKind kind) : kind_(kind) {}

    void Reserve(std::size_t cells);
    void Add(std::string_view cell);
    // Whether the a-th cell added sorts before the b-th.
    bool Before(std::size_t a, std::size_t b) const;

private:
    enum class Rank { kEmpty, kValue, kText };
    struct Key {
        Rank rank = Rank::kEmpty;
        double value = 0;
        std::size_t offset = 0;  // of a text in texts_
        std::size_t size = 0;
    };

    std::string_view Text(const Key& key) const;

    CellKind kind_;
    std::vector<Key> keys_;
    std::string texts_;
};

}  // namespace zel
