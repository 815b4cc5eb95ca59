#include "host/controls/import/xlsx_cell_reference.h"

#include <algorithm>

namespace zel {
namespace {

// More letters than this name no column any workbook can hold, and would overflow.
constexpr std::size_t kMostLetters = 4;
constexpr std::size_t kLetters = 26;

bool IsLetter(char c) {
    return c >= 'A' && c <= 'Z';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::size_t ReferenceColumn(std::string_view reference) {
    const auto digits = std::find_if(reference.begin(), reference.end(), IsDigit);
    const auto letters = static_cast<std::size_t>(digits - reference.begin());
    if (letters == 0 || letters > kMostLetters || digits == reference.end() ||
        !std::all_of(reference.begin(), digits, IsLetter) ||
        !std::all_of(digits, reference.end(), IsDigit)) {
        return 0;
    }
    std::size_t column = 0;
    for (std::size_t i = 0; i < letters; ++i) {
        column = column * kLetters + static_cast<std::size_t>(reference[i] - 'A' + 1);
    }
    return column;
}

}  // namespace zel
