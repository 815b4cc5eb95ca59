#include "host/database/postgres/postgres_row_count.h"

#include <thread>

#include "host/database/postgres/postgres_count_connection.h"

namespace zel {

std::unique_ptr<PostgresRowCount> PostgresRowCount::Start(
    std::shared_ptr<PostgresCountConnection> connection, const std::string& query) {
    const unsigned turn = connection->Enter();
    std::unique_ptr<PostgresRowCount> count(new PostgresRowCount(std::move(connection), turn));
    std::thread([connection = count->connection_, turn, result = count->result_,
                 sql = "select count(*) from (" + query + ") as counted"] {
        *result = connection->Count(turn, sql).value_or(-1);
    }).detach();
    return count;
}

PostgresRowCount::~PostgresRowCount() {
    connection_->Cancel(turn_);
}

std::optional<long> PostgresRowCount::Result() const {
    const long result = *result_;
    return result >= 0 ? std::optional(result) : std::nullopt;
}

}  // namespace zel
