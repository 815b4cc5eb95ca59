#include "host/database/sqlite/statement_cache.h"

#include <sqlite3.h>

namespace zel {

StatementCache::StatementCache(std::size_t capacity) : capacity_(capacity) {}

StatementCache::~StatementCache() {
    Clear();
}

sqlite3_stmt* StatementCache::Take(std::string_view sql) {
    const auto found = index_.find(sql);
    if (found == index_.end()) {
        return nullptr;
    }
    const Entries::iterator entry = found->second;
    sqlite3_stmt* statement = entry->statement;
    index_.erase(found);
    entries_.erase(entry);
    return statement;
}

void StatementCache::Give(std::string sql, sqlite3_stmt* statement) {
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    if (capacity_ == 0) {
        sqlite3_finalize(statement);
        return;
    }
    if (entries_.size() >= capacity_) {
        EvictOldest();
    }
    entries_.push_front({std::move(sql), statement});
    index_.emplace(entries_.front().sql, entries_.begin());
}

void StatementCache::EvictOldest() {
    const Entries::iterator oldest = std::prev(entries_.end());
    auto [first, last] = index_.equal_range(oldest->sql);
    for (; first != last; ++first) {
        if (first->second == oldest) {
            index_.erase(first);
            break;
        }
    }
    sqlite3_finalize(oldest->statement);
    entries_.erase(oldest);
}

void StatementCache::Clear() {
    index_.clear();
    for (const Entry& entry : entries_) {
        sqlite3_finalize(entry.statement);
    }
    entries_.clear();
}

}  // namespace zel
