#pragma once

#include <string_view>

struct sqlite3;

namespace zel {

// Registers the collation "hosttext" on a SQLite connection: texts compare without regard to
// ASCII letter case and to trailing blanks, as codes and names compare on the host's server.
// Every connection that opens a host database must call it before touching a table.
bool RegisterHostTextCollation(sqlite3* connection);

// The same comparison for texts outside the database: negative, 0 or positive.
int CompareHostText(std::string_view left, std::string_view right);

}  // namespace zel
