#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "host/database/row_count.h"

struct pg_cancel;

namespace zel {

// The number of rows of a query, counted by the server on a connection and a thread of their own
// while the caller reads the rows on its connection: nobody waits for it.
class PostgresRowCount final : public RowCount {
public:
    // Starts counting the rows of a query in PostgreSQL's dialect.
    static std::unique_ptr<PostgresRowCount> Start(const std::string& conninfo,
                                                   const std::string& query);
    PostgresRowCount(const PostgresRowCount&) = delete;
    PostgresRowCount& operator=(const PostgresRowCount&) = delete;
    // Cancels a count still running.
    ~PostgresRowCount() override;

    std::optional<long> Result() const override;

private:
    PostgresRowCount() = default;
    void Count(const std::string& conninfo, const std::string& sql);

    std::atomic<long> result_{-1};
    std::mutex cancelGuard_;
    pg_cancel* cancel_ = nullptr;  // while the count runs
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace zel
