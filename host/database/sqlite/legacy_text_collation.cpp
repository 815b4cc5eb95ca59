#include "host/database/sqlite/legacy_text_collation.h"

#include <sqlite3.h>

#include "host/objects/host_text.h"

namespace zel {
namespace {

int CollateHostText(void*, int leftLength, const void* left, int rightLength, const void* right) {
    return CompareHostText(
        {static_cast<const char*>(left), static_cast<std::size_t>(leftLength)},
        {static_cast<const char*>(right), static_cast<std::size_t>(rightLength)});
}

}  // namespace

bool RegisterLegacyTextCollation(sqlite3* connection) {
    return sqlite3_create_collation(connection, "hosttext", SQLITE_UTF8, nullptr,
                                    CollateHostText) == SQLITE_OK;
}

}  // namespace zel
