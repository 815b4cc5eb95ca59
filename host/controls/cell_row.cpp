#include "host/controls/cell_row.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace zel {
namespace {

// Room a row being written keeps beyond what its texts need, besides half of that.
constexpr std::size_t kGrowthBytes = 64;

void SetEnd(char* block, std::size_t endBytes, std::uint32_t column, std::uint32_t end) {
    if (endBytes == 1) {
        block[column] = static_cast<char>(end);
    } else if (endBytes == 2) {
        const auto narrow = static_cast<std::uint16_t>(end);
        std::memcpy(block + column * 2, &narrow, 2);
    } else {
        std::memcpy(block + column * 4, &end, 4);
    }
}

}  // namespace

std::string_view CellRow::Cell(int column) const {
    if (column < 0 || static_cast<std::uint32_t>(column) >= columns_) {
        return {};
    }
    const auto index = static_cast<std::uint32_t>(column);
    const std::uint32_t begin = index == 0 ? 0 : End(index - 1);
    return {Text() + begin, End(index) - begin};
}

void CellRow::SetCell(int column, std::string_view text, int columnHint) {
    if (column < 0) {
        return;
    }
    const auto index = static_cast<std::uint32_t>(column);
    if (index >= columns_ && text.empty()) {
        return;
    }
    const bool lastCell = index + 1 >= static_cast<std::uint32_t>(std::max(columnHint, 0));
    if (index < columns_ && ReplaceInPlace(index, text)) {
        if (lastCell && capacity_ > BytesFor(columns_, TextSize())) {
            Rebuild(columns_, columns_, {}, 0);
        }
        return;
    }
    const auto columns =
        std::max({columns_, index + 1, static_cast<std::uint32_t>(std::max(columnHint, 0))});
    const std::size_t needed = BytesFor(columns, TextSize() - Cell(column).size() + text.size());
    Rebuild(columns, index, text, lastCell ? needed : needed + needed / 2 + kGrowthBytes);
}

std::size_t CellRow::BytesFor(std::uint32_t columns, std::size_t textSize, std::size_t atLeast) {
    std::size_t bytes = std::max(columns + textSize, atLeast);
    // Wider ends make the block longer, which may call for wider ends again: twice at most.
    while (columns * EndBytesFor(bytes) + textSize > bytes) {
        bytes = columns * EndBytesFor(bytes) + textSize;
    }
    return bytes;
}

bool CellRow::ReplaceInPlace(std::uint32_t column, std::string_view text) {
    const std::uint32_t begin = column == 0 ? 0 : End(column - 1);
    const std::uint32_t end = End(column);
    const std::size_t textSize = TextSize();
    const std::size_t newSize = textSize - (end - begin) + text.size();
    const std::size_t endBytes = EndBytes();
    if (columns_ * endBytes + newSize > capacity_) {
        return false;
    }
    char* texts = block_.get() + columns_ * endBytes;
    // The text may lie in this very block; keep a copy before the tail moves over it.
    std::string kept;
    if (text.data() >= block_.get() && text.data() < block_.get() + capacity_) {
        kept.assign(text);
        text = kept;
    }
    const std::string_view copy = text;
    std::memmove(texts + begin + copy.size(), texts + end, textSize - end);
    if (!copy.empty()) {
        std::memcpy(texts + begin, copy.data(), copy.size());
    }
    const auto delta = static_cast<std::uint32_t>(copy.size()) - (end - begin);  // wraps to shrink
    for (std::uint32_t c = column; c < columns_; ++c) {
        SetEnd(block_.get(), endBytes, c, End(c) + delta);
    }
    return true;
}

void CellRow::Truncate(int columns) {
    const auto keep = static_cast<std::uint32_t>(std::max(columns, 0));
    if (columns_ <= keep) {
        return;
    }
    if (keep == 0) {
        block_.reset();
        columns_ = 0;
        capacity_ = 0;
        return;
    }
    Rebuild(keep, columns_, {}, 0);
}

template <typename TextOf>
void CellRow::Build(std::uint32_t columns, std::size_t room, const TextOf& textOf) {
    std::size_t size = 0;
    for (std::uint32_t c = 0; c < columns; ++c) {
        size += textOf(c).size();
    }
    const std::size_t bytes = BytesFor(columns, size, room);
    const std::size_t endBytes = EndBytesFor(bytes);
    auto block = std::make_unique_for_overwrite<char[]>(bytes);
    char* out = block.get() + columns * endBytes;
    std::uint32_t end = 0;
    for (std::uint32_t c = 0; c < columns; ++c) {
        const std::string_view cell = textOf(c);
        if (!cell.empty()) {
            std::memcpy(out + end, cell.data(), cell.size());
        }
        end += static_cast<std::uint32_t>(cell.size());
        SetEnd(block.get(), endBytes, c, end);
    }
    block_ = std::move(block);
    columns_ = columns;
    capacity_ = static_cast<std::uint32_t>(bytes);
}

void CellRow::Rebuild(std::uint32_t columns, std::uint32_t column, std::string_view text,
                      std::size_t room) {
    Build(columns, room,
          [&](std::uint32_t c) { return c == column ? text : Cell(static_cast<int>(c)); });
}

void CellRow::SetCells(std::span<const std::string> texts) {
    const auto given = static_cast<std::uint32_t>(texts.size());
    if (columns_ == 0 &&
        std::all_of(texts.begin(), texts.end(), [](const std::string& t) { return t.empty(); })) {
        return;
    }
    Build(std::max(columns_, given), 0, [&](std::uint32_t c) {
        return c < given ? std::string_view(texts[c]) : Cell(static_cast<int>(c));
    });
}

}  // namespace zel
