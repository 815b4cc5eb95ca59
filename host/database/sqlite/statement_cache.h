#pragma once

#include <cstddef>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>

struct sqlite3_stmt;

namespace zel {

// Compiled statements of one SQLite connection kept for the next caller of the same SQL text.
// A record save runs the same dozen checks and the same insert for every item of a batch;
// compiling them again each time cost several times the work of running them. A statement the
// engine finds out of date after a schema change compiles itself again on its next step, so a
// kept statement never runs against an old schema.
class StatementCache {
public:
    explicit StatementCache(std::size_t capacity);
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;
    ~StatementCache();

    // A kept statement compiled from exactly this text, ready to bind and run; the caller owns
    // it until it gives it back. nullptr when none is kept.
    sqlite3_stmt* Take(std::string_view sql);
    // Resets the statement and keeps it for the next Take of its text; the statement used
    // longest ago is finalised when the cache is full.
    void Give(std::string sql, sqlite3_stmt* statement);
    // Finalises every kept statement.
    void Clear();
    std::size_t Size() const { return entries_.size(); }

private:
    struct Entry {
        std::string sql;
        sqlite3_stmt* statement;
    };
    using Entries = std::list<Entry>;

    void EvictOldest();

    std::size_t capacity_;
    Entries entries_;  // the most recently given first
    // Keys view the texts held by entries_, whose nodes never move.
    std::unordered_multimap<std::string_view, Entries::iterator> index_;
};

}  // namespace zel
