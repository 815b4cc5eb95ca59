#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>

#include "host/database/row_count.h"

namespace zel {

class PostgresCountConnection;

// The number of rows of a query, counted by the server on the account's count connection and a
// thread of its own while the caller reads the rows on its connection: nobody waits for it, not
// even its end, so that a server gone silent never holds the window that dropped the count.
class PostgresRowCount final : public RowCount {
public:
    // Starts counting the rows of a query in PostgreSQL's dialect; a count still running on the
    // connection is cancelled.
    static std::unique_ptr<PostgresRowCount> Start(
        std::shared_ptr<PostgresCountConnection> connection, const std::string& query);
    PostgresRowCount(const PostgresRowCount&) = delete;
    PostgresRowCount& operator=(const PostgresRowCount&) = delete;
    // Cancels the count when it is still running; its thread ends on its own.
    ~PostgresRowCount() override;

    std::optional<long> Result() const override;

private:
    PostgresRowCount(std::shared_ptr<PostgresCountConnection> connection, unsigned turn)
        : connection_(std::move(connection)), turn_(turn) {}

    std::shared_ptr<PostgresCountConnection> connection_;
    unsigned turn_;
    // Shared with the counting thread, which may outlive this object.
    std::shared_ptr<std::atomic<long>> result_ = std::make_shared<std::atomic<long>>(-1);
};

}  // namespace zel
