#pragma once

struct sqlite3;

namespace zel {

// Registers the collation "hosttext" on a SQLite connection: texts compare without regard to
// ASCII letter case and to trailing blanks, as codes and names compare on the host's server.
// Every connection that opens a host database must call it before touching a table.
bool RegisterHostTextCollation(sqlite3* connection);

}  // namespace zel
