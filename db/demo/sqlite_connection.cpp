#include "db/demo/sqlite_connection.h"

#include <sqlite3.h>

namespace zel::demo {

SqliteConnection::~SqliteConnection() {
    Close();
}

bool SqliteConnection::Open(const std::string& path) {
    Close();
    if (sqlite3_open_v2(path.c_str(), &handle_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        KeepError();
        Close();
        return false;
    }
    // The engine holds the references between the tables only on a connection that asks.
    if (!Execute("pragma foreign_keys = on")) {
        Close();
        return false;
    }
    return true;
}

bool SqliteConnection::Execute(const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(handle_, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK) {
        return true;
    }
    error_ = message != nullptr ? message : sqlite3_errmsg(handle_);
    sqlite3_free(message);
    return false;
}

std::optional<std::string> SqliteConnection::QueryText(const std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    std::optional<std::string> text;
    if (sqlite3_prepare_v2(handle_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        KeepError();
    } else if (const int step = sqlite3_step(statement); step == SQLITE_ROW) {
        if (const auto* value = sqlite3_column_text(statement, 0); value != nullptr) {
            text = reinterpret_cast<const char*>(value);
        }
    } else if (step != SQLITE_DONE) {
        KeepError();
    }
    sqlite3_finalize(statement);
    return text;
}

void SqliteConnection::Close() {
    sqlite3_close(handle_);
    handle_ = nullptr;
}

void SqliteConnection::KeepError() {
    error_ = handle_ != nullptr ? sqlite3_errmsg(handle_) : sqlite3_errstr(SQLITE_NOMEM);
}

}  // namespace zel::demo
