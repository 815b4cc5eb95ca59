// A bare SQLite connection: the side of a benchmark the program's services are measured against.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <vector>

#include "demo_main_window.h"

namespace bench {

class BareConnection {
public:
    // setup: statements run once the file is open, such as the host's journal settings.
    explicit BareConnection(const std::string& path, const std::string& setup = "") {
        if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) {
            Fail("cannot open " + path);
        }
        sqlite3_busy_timeout(db_, 5000);
        if (!setup.empty()) {
            Execute(setup);
        }
    }
    ~BareConnection() { sqlite3_close(db_); }
    BareConnection(const BareConnection&) = delete;
    BareConnection& operator=(const BareConnection&) = delete;

    void Execute(const std::string& sql) {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            Fail(sql + ": " + (error ? error : ""));
        }
    }
    // The first column of the first row as a number; -1 without a row.
    std::int64_t Count(const std::string& sql) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr);
        const std::int64_t count =
            sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : -1;
        sqlite3_finalize(statement);
        return count;
    }
    // The first column of every row as text.
    std::vector<std::string> Texts(const std::string& sql) {
        std::vector<std::string> texts;
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr);
        while (sqlite3_step(statement) == SQLITE_ROW) {
            texts.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        }
        sqlite3_finalize(statement);
        return texts;
    }
    sqlite3* Handle() { return db_; }

private:
    sqlite3* db_ = nullptr;
};

}  // namespace bench
