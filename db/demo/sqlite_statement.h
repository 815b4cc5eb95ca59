#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct sqlite3_stmt;

namespace zel::demo {

class SqliteConnection;

// A prepared insert or update that is run many times with new values; values are bound by
// position from 1. Binding copies the value, so temporaries may be passed.
class SqliteStatement {
public:
    SqliteStatement(SqliteConnection& connection, const std::string& sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    bool Prepared() const { return statement_ != nullptr; }

    void Bind(int position, const std::string& value);
    void Bind(int position, std::int64_t value);
    void Bind(int position, double value);
    void Bind(int position, int value) { Bind(position, std::int64_t{value}); }
    template <typename T>
    void Bind(int position, const std::optional<T>& value) {
        if (value) {
            Bind(position, *value);
        } else {
            BindNull(position);
        }
    }
    void BindNull(int position);

    // Runs the statement with the bound values and clears them for the next run; false with the
    // reason kept in the connection's Error().
    bool Run();

private:
    SqliteConnection& connection_;
    sqlite3_stmt* statement_ = nullptr;
};

}  // namespace zel::demo
