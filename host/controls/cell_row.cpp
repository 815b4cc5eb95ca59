#include "host/controls/cell_row.h"

#include <algorithm>

namespace zel {

std::string_view CellRow::Cell(int column) const {
    if (column < 0 || static_cast<std::size_t>(column) >= ends_.size()) {
        return {};
    }
    const std::uint32_t begin = column == 0 ? 0 : ends_[column - 1];
    return std::string_view(text_).substr(begin, ends_[column] - begin);
}

void CellRow::SetCell(int column, std::string_view text, int columnHint) {
    if (column < 0) {
        return;
    }
    const auto index = static_cast<std::size_t>(column);
    if (index >= ends_.size()) {
        if (text.empty()) {
            return;
        }
        ends_.reserve(std::max(index + 1, static_cast<std::size_t>(std::max(columnHint, 0))));
        ends_.resize(index + 1, static_cast<std::uint32_t>(text_.size()));
    }
    const std::uint32_t begin = index == 0 ? 0 : ends_[index - 1];
    const std::uint32_t end = ends_[index];
    text_.replace(begin, end - begin, text);
    const auto grown =
        static_cast<std::uint32_t>(text.size()) - (end - begin);  // wraps when shrinking
    for (std::size_t i = index; i < ends_.size(); ++i) {
        ends_[i] += grown;
    }
}

void CellRow::Truncate(int columns) {
    const auto keep = static_cast<std::size_t>(std::max(columns, 0));
    if (ends_.size() <= keep) {
        return;
    }
    text_.resize(keep == 0 ? 0 : ends_[keep - 1]);
    ends_.resize(keep);
}

}  // namespace zel
