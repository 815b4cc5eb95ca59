#pragma once

#include <string>

struct sqlite3;

namespace zel {

// Brings an account database that an earlier host made up to the schema this host writes. The
// version lives in pragma user_version; the first schema kept none (0). An upgrade runs in one
// transaction and keeps every row: each table is made anew, its rows copied, the old one dropped.
// Rows the new rules refuse are moved to a side table of their own (see TableCopy), and their
// number is left in whinv_set_aside_notice for the user to be told.
class SchemaUpgrade {
public:
    static constexpr int kVersion = 7;

    // Nothing to do for a current or an empty file. false with the reason in error when the file
    // is newer than this host, holds tables but no account, or the upgrade fails; the file is then
    // left as it was.
    static bool Run(sqlite3* connection, std::string& error);

    // Whether the file holds the user table and the correspondence table, which make an account
    // whatever else is there; an upgrade never writes its schema into another program's tables.
    static bool HasAccountTables(sqlite3* connection);
};

}  // namespace zel
