#pragma once

#include <memory>
#include <string>

#include "host/database/sql_statement.h"

struct sqlite3_stmt;

namespace zel {

class StatementCache;

class SqliteStatement final : public SqlStatement {
public:
    // Gives the statement back to the cache when done, or finalises it when the cache is gone.
    SqliteStatement(sqlite3_stmt* statement, std::string sql, std::weak_ptr<StatementCache> cache)
        : statement_(statement), sql_(std::move(sql)), cache_(std::move(cache)) {}
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;
    ~SqliteStatement() override;

    bool BindNull(int index) override;
    bool BindInteger(int index, std::int64_t value) override;
    bool BindReal(int index, double value) override;
    bool BindText(int index, std::string_view value) override;

    StepResult Step() override;
    void Reset() override;

    int ColumnCount() const override;
    std::string ColumnName(int column) const override;
    std::string DeclaredType(int column) const override;
    std::string OriginName(int column) const override;

    SqlValueType ColumnType(int column) const override;
    std::int64_t ColumnInteger(int column) const override;
    double ColumnReal(int column) const override;
    std::string_view ColumnText(int column) const override;
    SqlCell Column(int column) const override;

private:
    sqlite3_stmt* statement_;
    std::string sql_;
    std::weak_ptr<StatementCache> cache_;
};

}  // namespace zel
