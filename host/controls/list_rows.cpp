#include "host/controls/list_rows.h"

#include <algorithm>
#include <iterator>

namespace zel {
namespace {

constexpr std::size_t kRowsPerBlock = 512;

}  // namespace

void ListRows::AddRow(std::string key, bool checked) {
    if (blocks_.empty() || blocks_.back().keys.size() >= kRowsPerBlock) {
        NoteRoomOfLastBlock();
        Block& added = blocks_.emplace_back();
        added.keys.reserve(room_.rows);
        added.checked.reserve(room_.rows);
        added.firstTexts.reserve(room_.rows);
        added.textEnds.reserve(room_.texts);
        added.bytes.reserve(room_.bytes);
        blockEnds_.push_back(Count());
    }
    Block& block = blocks_.back();
    block.keys.push_back(std::move(key));
    block.checked.push_back(checked);
    block.firstTexts.push_back(block.textEnds.size());
    ++blockEnds_.back();
}

// Called after AddRow: the text belongs to the last row.
void ListRows::AddText(std::string_view text) {
    Block& block = blocks_.back();
    block.bytes += text;
    block.textEnds.push_back(block.bytes.size());
}

void ListRows::Append(ListRows&& other) {
    other.NoteRoomOfLastBlock();
    for (Block& block : other.blocks_) {
        const int rows = static_cast<int>(block.keys.size());
        blockEnds_.push_back(Count() + rows);
        blocks_.push_back(std::move(block));
    }
    other.Clear();
}

void ListRows::NoteRoomOfLastBlock() {
    if (!blocks_.empty()) {
        const Block& last = blocks_.back();
        room_ = {last.keys.size(), last.textEnds.size(), last.bytes.size()};
    }
}

void ListRows::Clear() {
    blocks_.clear();
    blockEnds_.clear();
}

ListRows::Place ListRows::Locate(int row) const {
    const auto end = std::upper_bound(blockEnds_.begin(), blockEnds_.end(), row);
    const auto index = static_cast<std::size_t>(std::distance(blockEnds_.begin(), end));
    const int first = index == 0 ? 0 : blockEnds_[index - 1];
    return {&blocks_[index], static_cast<std::size_t>(row - first)};
}

const std::string& ListRows::Key(int row) const {
    const Place place = Locate(row);
    return place.block->keys[place.row];
}

bool ListRows::Checked(int row) const {
    const Place place = Locate(row);
    return place.block->checked[place.row];
}

void ListRows::SetChecked(int row, bool checked) {
    const Place place = Locate(row);
    blocks_[static_cast<std::size_t>(place.block - blocks_.data())].checked[place.row] = checked;
}

std::size_t ListRows::Block::TextsEnd(std::size_t row) const {
    return row + 1 < firstTexts.size() ? firstTexts[row + 1] : textEnds.size();
}

int ListRows::TextCount(int row) const {
    const Place place = Locate(row);
    return static_cast<int>(place.block->TextsEnd(place.row) - place.block->firstTexts[place.row]);
}

std::string_view ListRows::Text(int row, int column) const {
    const Place place = Locate(row);
    const Block& block = *place.block;
    const std::size_t first = block.firstTexts[place.row];
    if (column < 0 || first + static_cast<std::size_t>(column) >= block.TextsEnd(place.row)) {
        return {};
    }
    const std::size_t text = first + static_cast<std::size_t>(column);
    const std::size_t begin = text == 0 ? 0 : block.textEnds[text - 1];
    return std::string_view(block.bytes).substr(begin, block.textEnds[text] - begin);
}

}  // namespace zel
