#include "host/database/host_text_collation.h"

#include <sqlite3.h>

#include <algorithm>

namespace zel {
namespace {

std::string_view WithoutTrailingBlanks(std::string_view text) {
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

unsigned char Folded(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

int CollateHostText(void*, int leftLength, const void* left, int rightLength, const void* right) {
    return CompareHostText(
        {static_cast<const char*>(left), static_cast<std::size_t>(leftLength)},
        {static_cast<const char*>(right), static_cast<std::size_t>(rightLength)});
}

}  // namespace

int CompareHostText(std::string_view left, std::string_view right) {
    left = WithoutTrailingBlanks(left);
    right = WithoutTrailingBlanks(right);
    const std::size_t common = std::min(left.size(), right.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char x = Folded(static_cast<unsigned char>(left[i]));
        const unsigned char y = Folded(static_cast<unsigned char>(right[i]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (left.size() == right.size()) {
        return 0;
    }
    return left.size() < right.size() ? -1 : 1;
}

bool RegisterHostTextCollation(sqlite3* connection) {
    return sqlite3_create_collation(connection, "hosttext", SQLITE_UTF8, nullptr,
                                    CollateHostText) == SQLITE_OK;
}

}  // namespace zel
