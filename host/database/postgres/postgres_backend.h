#pragma once

#include <memory>

#include "host/database/reading_pattern.h"
#include "host/database/sql_backend.h"

namespace zel {

class PostgresConnection;
class PostgresCountConnection;

// An account database on a PostgreSQL server, reached with a libpq connection string or service
// name; passwords come from the user's ~/.pgpass or service file, never from the program.
class PostgresBackend final : public SqlBackend {
public:
    explicit PostgresBackend(ReadingPattern reading = ReadingPattern::kBrowsing)
        : reading_(reading) {}

    bool Open(const std::string& conninfo) override;
    // Connects without asking for the account tables, for a tool that is about to create them.
    bool Connect(const std::string& conninfo);
    bool IsOpen() const override;
    bool SchemaRefusedOpen() const override { return schemaRefused_; }

    std::string ToNative(std::string_view hostSql) const override;
    // Parameters are written "?", as for SQLite.
    std::unique_ptr<SqlStatement> Prepare(std::string_view sql) override;
    bool ExecuteScript(std::string_view sql) override;
    long Changes() const override;

    std::string LastError() const override;
    SchemaRefusal LastRefusal() const override;
    std::string RefusedSubject() const override;

    bool Begin() override;
    bool Commit() override;
    bool Rollback() override;
    void CommitWithNextStatement() override;
    // The server's history triggers read the step from a setting of the session.
    bool OpenChangeStep(ChangeStepKind kind) override;
    bool CloseChangeStep() override;

    std::unique_ptr<ISessionLocks> CreateSessionLocks() const override;
    std::shared_ptr<const RowCount> CountBeside(const std::string& nativeQuery) const override;
    bool KeepsCompiledStatements() const override { return false; }

private:
    ReadingPattern reading_;
    std::shared_ptr<PostgresConnection> connection_;
    std::string error_;  // why the connection could not be made
    bool schemaRefused_ = false;
    // Made at the first count; kept for every count while the backend is open.
    mutable std::shared_ptr<PostgresCountConnection> counting_;
};

}  // namespace zel
