#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace zel {

// The texts of a table's cells, row after row, kept end to end in one buffer. A list of 100,000
// rows holds millions of short texts: as strings of their own they would take several times
// their size (a string and a heap block each). The texts of one table stay below kMostBytes.
class CellTexts {
public:
    static constexpr std::size_t kMostBytes = std::numeric_limits<std::uint32_t>::max();

    CellTexts() = default;
    CellTexts(std::initializer_list<std::string_view> texts);
    CellTexts& operator=(std::initializer_list<std::string_view> texts);

    // False, and nothing added, when the text would take the texts beyond kMostBytes.
    bool push_back(std::string_view text);
    // Room for that many cells of about that many bytes in all.
    void reserve(std::size_t cells, std::size_t bytes = 0);
    // Gives back the room reserved beyond what is held.
    void shrink_to_fit();

    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    std::string_view operator[](std::size_t cell) const;

    friend bool operator==(const CellTexts& texts, const std::vector<std::string>& strings);

private:
    std::string text_;
    std::vector<std::uint32_t> ends_;
};

}  // namespace zel
