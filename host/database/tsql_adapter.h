#pragma once

#include <string>
#include <string_view>

namespace zel {

// Turns the host dialect the component writes into SQLite or PostgreSQL SQL:
// - "select top N ..." becomes "select ... limit N" (at the end of that select);
// - [bracketed] names, such as caption aliases, become "double-quoted" names;
// - "update T set ... from T join ... where C" changes exactly the rows of T that the join and
//   C select (both engines' own UPDATE ... FROM would join T with itself and change every row),
//   picked by the engine's row identity (SQLite's rowid, PostgreSQL's ctid);
// - "set T.column=" becomes "set column=";
// - object_id('T') becomes a whole number for table T, NULL when the account has no such table;
// - rowid, the engine's own identity of a row, becomes ctid on PostgreSQL;
// - a quoted text compared with =, <>, != or listed in "in (...)" loses its trailing blanks: the
//   host's server ignores them when it compares, and codes are stored without them.
// Quoted texts and names are otherwise never changed; everything else is kept as written.
class TsqlAdapter {
public:
    static std::string ToSqlite(std::string_view hostSql);
    static std::string ToPostgres(std::string_view hostSql);
};

}  // namespace zel
