#pragma once

#include <optional>
#include <string>

struct sqlite3;

namespace zel::demo {

// One SQLite connection that holds the schema's references, closed on destruction.
class SqliteConnection {
public:
    SqliteConnection() = default;
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    // Opens (creating when missing) the file; false with the reason in Error().
    bool Open(const std::string& path);
    // Runs one or more statements that return no rows.
    bool Execute(const std::string& sql);
    // The first column of the first row as text; nullopt when there is no row, or NULL, or
    // the query fails (then Error() says why).
    std::optional<std::string> QueryText(const std::string& sql);
    void Close();

    sqlite3* Handle() const { return handle_; }
    const std::string& Error() const { return error_; }
    void KeepError();

private:
    sqlite3* handle_ = nullptr;
    std::string error_;
};

}  // namespace zel::demo
