#include "host/database/postgres/postgres_count_connection.h"

#include <libpq-fe.h>

#include <charconv>
#include <cstring>
#include <thread>

#include "host/database/postgres/postgres_connection.h"
#include "host/database/postgres/pq_result.h"

namespace zel {

unsigned PostgresCountConnection::Enter() {
    const std::lock_guard lock(guard_);
    CancelRunning();
    return ++latest_;
}

void PostgresCountConnection::Cancel(unsigned turn) {
    const std::lock_guard lock(guard_);
    if (running_ == turn) {
        CancelRunning();
    }
    // A count still waiting for its turn no longer starts.
    if (latest_ == turn) {
        ++latest_;
    }
}

// The request goes from a thread of its own: reaching a server that went away may take long, and
// the caller is the window.
void PostgresCountConnection::CancelRunning() {
    if (running_ != 0 && cancel_ != nullptr) {
        std::thread([cancel = cancel_] {
            char error[256];
            PQcancel(cancel.get(), error, sizeof error);
        }).detach();
    }
}

std::optional<long> PostgresCountConnection::Count(unsigned turn, const std::string& sql) {
    const std::lock_guard using_connection(counting_);
    if (!Start(turn)) {
        return std::nullopt;
    }
    // Waited for within the connection's limits, like every statement on the account.
    const PqResult result =
        connection_->AnswerTo(PQsendQuery(connection_->Handle(), sql.c_str()) == 1);
    {
        const std::lock_guard lock(guard_);
        running_ = 0;
    }
    if (PQresultStatus(result.get()) != PGRES_TUPLES_OK || PQntuples(result.get()) != 1) {
        return std::nullopt;
    }
    const char* text = PQgetvalue(result.get(), 0, 0);
    long rows = -1;
    std::from_chars(text, text + std::strlen(text), rows);
    return rows >= 0 ? std::optional(rows) : std::nullopt;
}

// Whether the turn is still the latest, with a connection to count on; it then runs.
bool PostgresCountConnection::Start(unsigned turn) {
    {
        const std::lock_guard lock(guard_);
        if (turn != latest_) {
            return false;
        }
    }
    if (!Connected()) {
        return false;
    }
    const std::lock_guard lock(guard_);
    if (turn != latest_) {
        return false;
    }
    running_ = turn;
    return true;
}

// Made at the first count, and again when the server ended it.
bool PostgresCountConnection::Connected() {
    if (connection_ && !connection_->Lost()) {
        return true;
    }
    std::string error;
    auto made = PostgresConnection::Open(conninfo_, error);
    std::shared_ptr<pg_cancel> cancel(made ? PQgetCancel(made->Handle()) : nullptr, PQfreeCancel);
    const std::lock_guard lock(guard_);
    cancel_ = std::move(cancel);
    connection_ = std::move(made);
    return connection_ != nullptr && cancel_ != nullptr;
}

}  // namespace zel
