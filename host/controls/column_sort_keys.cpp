#include "host/controls/column_sort_keys.h"

#include <array>
#include <cctype>
#include <charconv>

#include "host/objects/host_date.h"
#include "host/objects/host_text.h"

namespace zel {
namespace {

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Display texts of numbers may carry digit grouping ("1,234.50"). Read without allocating: a sort
// reads every cell of its column.
bool ParseNumber(std::string_view text, double& number) {
    std::array<char, 64> digits{};
    std::size_t size = 0;
    for (const char c : text) {
        if (c == ',') {
            continue;
        }
        if (size == digits.size()) {
            return false;
        }
        digits[size++] = c;
    }
    const char* first = digits.data();
    const char* last = first + size;
    if (first != last && *first == '+') {
        ++first;
    }
    // from_chars also reads "inf" and "nan", which are names here, not numbers.
    const char* lead = (first != last && *first == '-') ? first + 1 : first;
    if (lead == last || !(IsDigit(*lead) || *lead == '.')) {
        return false;
    }
    const auto [end, error] = std::from_chars(first, last, number);
    return error == std::errc() && end == last;
}

bool ParseDate(std::string_view text, double& number) {
    const auto date = HostDate::Parse(text);
    if (!date) {
        return false;
    }
    number = date->Number();
    return true;
}

bool ParseValue(std::string_view text, CellKind kind, double& value) {
    switch (kind) {
        case CellKind::kGuessed:
        case CellKind::kNumber:
            return ParseNumber(text, value);
        case CellKind::kDate:
            return ParseDate(text, value);
        case CellKind::kText:
            break;
    }
    return false;
}

}  // namespace

void ColumnSortKeys::Reserve(std::size_t cells) {
    keys_.reserve(cells);
}

void ColumnSortKeys::Add(std::string_view cell) {
    const std::string_view text = WithoutSurroundingBlanks(cell);
    Key key;
    if (text.empty()) {
        key.rank = Rank::kEmpty;
    } else if (ParseValue(text, kind_, key.value)) {
        key.rank = Rank::kValue;
    } else {
        key.rank = Rank::kText;
        key.offset = texts_.size();
        for (const char c : WithoutTrailingBlanks(cell)) {
            texts_.push_back(AsciiLower(c));
        }
        key.size = texts_.size() - key.offset;
    }
    keys_.push_back(key);
}

bool ColumnSortKeys::Before(std::size_t a, std::size_t b) const {
    const Key& x = keys_[a];
    const Key& y = keys_[b];
    if (x.rank != y.rank) {
        return x.rank < y.rank;
    }
    switch (x.rank) {
        case Rank::kValue:
            return x.value < y.value;
        case Rank::kText:
            return Text(x) < Text(y);
        case Rank::kEmpty:
            break;
    }
    return false;
}

std::string_view ColumnSortKeys::Text(const Key& key) const {
    return std::string_view(texts_).substr(key.offset, key.size);
}

}  // namespace zel
