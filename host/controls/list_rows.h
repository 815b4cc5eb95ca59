#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zel {

// The keyed, checkable rows of a list, their texts packed into blocks of rows: a hundred thousand
// rows of seven columns take a few allocations per block instead of one string per cell, a text
// becomes the toolkit's string only when its row is drawn, and appending rows moves their blocks
// without copying or growing what is already held. Rows and columns count from 0.
class ListRows {
public:
    // Starts a row; its texts follow, column 0 first.
    void AddRow(std::string key, bool checked);
    void AddText(std::string_view text);
    // Moves other's rows after these. other is left empty but keeps the room its last block
    // needed, so that rows added to it in equal batches do not grow their buffers step by step.
    void Append(ListRows&& other);
    void Clear();

    int Count() const { return blockEnds_.empty() ? 0 : blockEnds_.back(); }
    bool Empty() const { return Count() == 0; }
    // The caller keeps row within Count().
    const std::string& Key(int row) const;
    bool Checked(int row) const;
    void SetChecked(int row, bool checked);
    int TextCount(int row) const;
    // "" for a column the row has no text in.
    std::string_view Text(int row, int column) const;

private:
    struct Block {
        std::vector<std::string> keys;
        std::vector<bool> checked;
        std::vector<std::size_t> firstTexts;  // per row: the index of its first text
        std::vector<std::size_t> textEnds;    // per text: where its bytes end in bytes
        std::string bytes;

        std::size_t TextsEnd(std::size_t row) const;
    };
    struct Place {
        const Block* block;
        std::size_t row;
    };
    struct Room {
        std::size_t rows = 0;
        std::size_t texts = 0;
        std::size_t bytes = 0;
    };

    Place Locate(int row) const;
    void NoteRoomOfLastBlock();

    Room room_;  // what a new block reserves
    std::vector<Block> blocks_;
    std::vector<int> blockEnds_;  // per block: the rows up to its end
};

}  // namespace zel
