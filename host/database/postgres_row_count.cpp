#include "host/database/postgres_row_count.h"

#include "host/database/postgres_count_connection.h"

namespace zel {

std::unique_ptr<PostgresRowCount> PostgresRowCount::Start(
    std::shared_ptr<PostgresCountConnection> connection, const std::string& query) {
    const unsigned turn = connection->Enter();
    std::unique_ptr<PostgresRowCount> count(new PostgresRowCount(std::move(connection), turn));
    count->thread_ = std::thread(
        [counting = count.get(), sql = "select count(*) from (" + query + ") as counted"] {
            counting->result_ = counting->connection_->Count(counting->turn_, sql).value_or(-1);
        });
    return count;
}

PostgresRowCount::~PostgresRowCount() {
    connection_->Cancel(turn_);
    thread_.join();
}

std::optional<long> PostgresRowCount::Result() const {
    const long result = result_;
    return result >= 0 ? std::optional(result) : std::nullopt;
}

}  // namespace zel
