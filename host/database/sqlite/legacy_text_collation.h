#pragma once

struct sqlite3;

namespace zel {

// Registers the collation "hosttext" that the tables of the first schema declare: without it the
// engine cannot read their indexes. Only the schema upgrade needs it; the current schema uses the
// engine's own nocase, so the standard tools can read the file.
bool RegisterLegacyTextCollation(sqlite3* connection);

}  // namespace zel
