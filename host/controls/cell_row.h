#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace zel {

// The texts of one grid row in one block: the cell ends first, then the texts, cell c running
// from the end of cell c-1 to ends[c]. An end takes one byte in a block shorter than 256 bytes
// (most list rows), two below 64 KiB and four above, so the ends cost little beside short texts.
// A row never written holds no allocation at all, so a grid can be sized to many rows at once.
// While a row is written the block keeps room to grow; a write to its last cell fits the block
// to its texts, so that a filled list of 100,000 rows carries no slack.
class CellRow {
public:
    std::string_view Cell(int column) const;
    // columnHint is the row's width: the first write makes room for that many cell ends.
    void SetCell(int column, std::string_view text, int columnHint);
    // Cells 0 … texts.size() - 1 at once, in a block that fits them: a row written whole costs
    // one allocation instead of a write per cell.
    void SetCells(std::span<const std::string> texts);
    // Drops the cells from `columns` on.
    void Truncate(int columns);
    std::size_t TextSize() const { return columns_ == 0 ? 0 : End(columns_ - 1); }

private:
    // The bytes an end takes in a block of that size: every end lies within the block.
    static std::size_t EndBytesFor(std::size_t blockBytes) {
        if (blockBytes <= UINT8_MAX) {
            return 1;
        }
        return blockBytes <= UINT16_MAX ? 2 : 4;
    }
    std::size_t EndBytes() const { return EndBytesFor(capacity_); }
    // Inline: a fill reads the ends of a row many times over.
    std::uint32_t End(std::uint32_t column) const {
        const char* at = block_.get();
        switch (EndBytes()) {
            case 1:
                return static_cast<unsigned char>(at[column]);
            case 2: {
                std::uint16_t end = 0;
                std::memcpy(&end, at + column * 2, 2);
                return end;
            }
            default: {
                std::uint32_t end = 0;
                std::memcpy(&end, at + column * 4, 4);
                return end;
            }
        }
    }
    const char* Text() const { return block_.get() + columns_ * EndBytes(); }
    // A new block of `columns` cells, `room` bytes long at least, whose texts are the old ones
    // with cell `column` (when within them) replaced by `text`.
    void Rebuild(std::uint32_t columns, std::uint32_t column, std::string_view text,
                 std::size_t room);
    // A new block of `columns` cells, `room` bytes long at least, cell c holding textOf(c).
    template <typename TextOf>
    void Build(std::uint32_t columns, std::size_t room, const TextOf& textOf);
    // Replaces the text of an existing cell within the block's room; false when it does not fit.
    bool ReplaceInPlace(std::uint32_t column, std::string_view text);
    // The smallest block of at least `atLeast` bytes for that many cells and text bytes, ends
    // included.
    static std::size_t BytesFor(std::uint32_t columns, std::size_t textSize,
                                std::size_t atLeast = 0);

    std::unique_ptr<char[]> block_;
    std::uint32_t columns_ = 0;
    std::uint32_t capacity_ = 0;
};

}  // namespace zel
