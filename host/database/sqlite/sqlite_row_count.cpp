#include "host/database/sqlite/sqlite_row_count.h"

#include <sqlite3.h>

namespace zel {
namespace {

constexpr int kBusyTimeoutMs = 5000;
// Engine steps between two looks at whether the owner still wants the count.
constexpr int kStepsBetweenChecks = 10000;

}  // namespace

std::unique_ptr<SqliteRowCount> SqliteRowCount::Start(const std::string& path,
                                                      const std::string& query) {
    sqlite3* connection = nullptr;
    if (sqlite3_open_v2(path.c_str(), &connection, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        sqlite3_close_v2(connection);
        return nullptr;
    }
    sqlite3_busy_timeout(connection, kBusyTimeoutMs);
    std::unique_ptr<SqliteRowCount> count(new SqliteRowCount(connection));
    // Unlike an interrupt, which misses a statement not yet started, the flag also stops one
    // that starts after the owner gave up.
    sqlite3_progress_handler(
        connection, kStepsBetweenChecks,
        [](void* stopping) -> int { return static_cast<std::atomic<bool>*>(stopping)->load(); },
        &count->stopping_);
    count->thread_ =
        std::thread(&SqliteRowCount::Count, count.get(), "select count(*) from (" + query + ")");
    return count;
}

SqliteRowCount::~SqliteRowCount() {
    stopping_ = true;
    thread_.join();
    sqlite3_close_v2(connection_);
}

void SqliteRowCount::Count(const std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(connection_, sql.c_str(), static_cast<int>(sql.size()), &statement,
                           nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        result_ = static_cast<long>(sqlite3_column_int64(statement, 0));
    }
    sqlite3_finalize(statement);
}

std::optional<long> SqliteRowCount::Result() const {
    const long result = result_;
    return result >= 0 ? std::optional(result) : std::nullopt;
}

}  // namespace zel
