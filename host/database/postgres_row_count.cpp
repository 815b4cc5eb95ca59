#include "host/database/postgres_row_count.h"

#include <libpq-fe.h>

#include <charconv>
#include <cstring>

#include "host/database/pq_result.h"

namespace zel {

std::unique_ptr<PostgresRowCount> PostgresRowCount::Start(const std::string& conninfo,
                                                          const std::string& query) {
    std::unique_ptr<PostgresRowCount> count(new PostgresRowCount());
    count->thread_ = std::thread(&PostgresRowCount::Count, count.get(), conninfo,
                                 "select count(*) from (" + query + ") as counted");
    return count;
}

PostgresRowCount::~PostgresRowCount() {
    {
        const std::lock_guard lock(cancelGuard_);
        stopping_ = true;
        if (cancel_ != nullptr) {
            char error[256];
            PQcancel(cancel_, error, sizeof error);
        }
    }
    thread_.join();
}

void PostgresRowCount::Count(const std::string& conninfo, const std::string& sql) {
    PGconn* connection = PQconnectdb(conninfo.c_str());
    if (PQstatus(connection) == CONNECTION_OK) {
        {
            const std::lock_guard lock(cancelGuard_);
            if (!stopping_) {
                cancel_ = PQgetCancel(connection);
            }
        }
        if (cancel_ != nullptr) {
            const PqResult result(PQexec(connection, sql.c_str()));
            if (PQresultStatus(result.get()) == PGRES_TUPLES_OK && PQntuples(result.get()) == 1) {
                const char* text = PQgetvalue(result.get(), 0, 0);
                long rows = -1;
                std::from_chars(text, text + std::strlen(text), rows);
                result_ = rows;
            }
            const std::lock_guard lock(cancelGuard_);
            PQfreeCancel(cancel_);
            cancel_ = nullptr;
        }
    }
    PQfinish(connection);
}

std::optional<long> PostgresRowCount::Result() const {
    const long result = result_;
    return result >= 0 ? std::optional(result) : std::nullopt;
}

}  // namespace zel
