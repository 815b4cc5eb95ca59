#include "db/demo/sqlite_statement.h"

#include <sqlite3.h>

#include "db/demo/sqlite_connection.h"

namespace zel::demo {

SqliteStatement::SqliteStatement(SqliteConnection& connection, const std::string& sql)
    : connection_(connection) {
    if (sqlite3_prepare_v2(connection.Handle(), sql.c_str(), -1, &statement_, nullptr) !=
        SQLITE_OK) {
        connection_.KeepError();
        sqlite3_finalize(statement_);
        statement_ = nullptr;
    }
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(statement_);
}

void SqliteStatement::Bind(int position, const std::string& value) {
    sqlite3_bind_text(statement_, position, value.data(), static_cast<int>(value.size()),
                      SQLITE_TRANSIENT);
}

void SqliteStatement::Bind(int position, std::int64_t value) {
    sqlite3_bind_int64(statement_, position, value);
}

void SqliteStatement::Bind(int position, double value) {
    sqlite3_bind_double(statement_, position, value);
}

void SqliteStatement::BindNull(int position) {
    sqlite3_bind_null(statement_, position);
}

bool SqliteStatement::Run() {
    if (statement_ == nullptr) {
        return false;
    }
    const bool done = sqlite3_step(statement_) == SQLITE_DONE;
    if (!done) {
        connection_.KeepError();
    }
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
    return done;
}

}  // namespace zel::demo
