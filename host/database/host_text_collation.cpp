#include "host/database/host_text_collation.h"

#include <sqlite3.h>

#include <algorithm>

namespace zel {
namespace {

int LengthWithoutTrailingBlanks(const unsigned char* text, int length) {
    while (length > 0 && text[length - 1] == ' ') {
        --length;
    }
    return length;
}

unsigned char Folded(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

int CompareHostText(void*, int leftLength, const void* left, int rightLength, const void* right) {
    const auto* a = static_cast<const unsigned char*>(left);
    const auto* b = static_cast<const unsigned char*>(right);
    leftLength = LengthWithoutTrailingBlanks(a, leftLength);
    rightLength = LengthWithoutTrailingBlanks(b, rightLength);
    const int common = std::min(leftLength, rightLength);
    for (int i = 0; i < common; ++i) {
        const unsigned char x = Folded(a[i]);
        const unsigned char y = Folded(b[i]);
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return leftLength == rightLength ? 0 : (leftLength < rightLength ? -1 : 1);
}

}  // namespace

bool RegisterHostTextCollation(sqlite3* connection) {
    return sqlite3_create_collation(connection, "hosttext", SQLITE_UTF8, nullptr,
                                    CompareHostText) == SQLITE_OK;
}

}  // namespace zel
