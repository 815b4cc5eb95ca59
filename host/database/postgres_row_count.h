#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "host/database/row_count.h"

namespace zel {

class PostgresCountConnection;

// The number of rows of a query, counted by the server on the account's count connection and a
// thread of its own while the caller reads the rows on its connection: nobody waits for it.
class PostgresRowCount final : public RowCount {
public:
    // Starts counting the rows of a query in PostgreSQL's dialect; a count still running on the
    // connection is cancelled.
    static std::unique_ptr<PostgresRowCount> Start(
        std::shared_ptr<PostgresCountConnection> connection, const std::string& query);
    PostgresRowCount(const PostgresRowCount&) = delete;
    PostgresRowCount& operator=(const PostgresRowCount&) = delete;
    // Cancels the count when it is still running.
    ~PostgresRowCount() override;

    std::optional<long> Result() const override;

private:
    PostgresRowCount(std::shared_ptr<PostgresCountConnection> connection, unsigned turn)
        : connection_(std::move(connection)), turn_(turn) {}

    std::shared_ptr<PostgresCountConnection> connection_;
    unsigned turn_;
    std::atomic<long> result_{-1};
    std::thread thread_;
};

}  // namespace zel
