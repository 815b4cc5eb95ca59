#pragma once

#include <sqlite3.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "host/database/cls_common.h"
#include "host/objects/host_environment.h"

namespace zel::earlier_schema_files {

inline std::string SourceText(const std::string& relativePath) {
    std::ifstream file(WHINV_SOURCE_DIR "/" + relativePath);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The schema of the first files, which kept no version (0).
inline std::string FirstSchema() {
    return SourceText("tests/host/database/fixtures/sqlite_schema_v1.sql");
}

inline std::string CurrentSchema() {
    return SourceText("db/schema/sqlite.sql");
}

// Opens the file as the program does, upgrading it.
inline bool OpenWithTheHost(const std::string& path, std::string& error) {
    auto environment = std::make_shared<HostEnvironment>();
    environment->accounts.Set("older", "sqlite:" + path);
    ClsCommon service(environment);
    service.Init("older");
    error = service.LastError();
    return service.Status();
}

// A plain connection, as the standard tools open the file: no collation of the host's.
class PlainConnection {
public:
    explicit PlainConnection(const std::string& path) { sqlite3_open(path.c_str(), &db_); }
    ~PlainConnection() { sqlite3_close(db_); }
    PlainConnection(const PlainConnection&) = delete;
    PlainConnection& operator=(const PlainConnection&) = delete;

    sqlite3* Handle() const { return db_; }
    bool Execute(const std::string& sql) {
        return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    // All rows of a query, each "a|b|c", NULL as "~"; "error: ..." when it fails.
    std::string Rows(const std::string& sql) {
        std::string rows;
        char* error = nullptr;
        const int result = sqlite3_exec(
            db_, sql.c_str(),
            [](void* out, int count, char** values, char**) {
                auto& text = *static_cast<std::string*>(out);
                for (int i = 0; i < count; ++i) {
                    text += (i > 0 ? "|" : "") + std::string(values[i] ? values[i] : "~");
                }
                text += "\n";
                return 0;
            },
            &rows, &error);
        if (result != SQLITE_OK) {
            rows = std::string("error: ") + (error ? error : "");
        }
        sqlite3_free(error);
        return rows;
    }

private:
    sqlite3* db_ = nullptr;
};

}  // namespace zel::earlier_schema_files
