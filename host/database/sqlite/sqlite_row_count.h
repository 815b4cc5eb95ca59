#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "host/database/row_count.h"

struct sqlite3;

namespace zel {

// The number of rows of a query, counted on a thread and a read-only connection of its own while
// the caller reads the rows on its connection: nobody waits for it, and it never holds a lock a
// writer waits for (the account files keep a write-ahead log, where readers never block writers).
class SqliteRowCount final : public RowCount {
public:
    // Starts counting the rows of a query in SQLite's dialect; nullptr when the file cannot be
    // opened.
    static std::unique_ptr<SqliteRowCount> Start(const std::string& path, const std::string& query);
    SqliteRowCount(const SqliteRowCount&) = delete;
    SqliteRowCount& operator=(const SqliteRowCount&) = delete;
    // Stops a count still running.
    ~SqliteRowCount() override;

    // Without waiting: nullopt while counting, and for good when the count failed.
    std::optional<long> Result() const override;

private:
    explicit SqliteRowCount(sqlite3* connection) : connection_(connection) {}
    void Count(const std::string& sql);

    sqlite3* connection_;
    std::atomic<long> result_{-1};
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

}  // namespace zel
