#pragma once

#include "host/database/reading_pattern.h"
#include "host/database/sql_backend.h"

struct sqlite3;

namespace zel {

class StatementCache;

// A SQLite account database file. Opening brings a file of an earlier schema up to date and has
// the engine hold the references between tables on every connection.
class SqliteBackend final : public SqlBackend {
public:
    explicit SqliteBackend(ReadingPattern reading = ReadingPattern::kBrowsing)
        : reading_(reading) {}
    SqliteBackend(const SqliteBackend&) = delete;
    SqliteBackend& operator=(const SqliteBackend&) = delete;
    ~SqliteBackend() override;

    bool Open(const std::string& path) override;
    // Opens the file, making an empty database, readable and writable by its owner only, when
    // there is none.
    bool Create(const std::string& path);
    bool IsOpen() const override { return db_ != nullptr; }
    bool SchemaRefusedOpen() const override { return schemaRefused_; }

    std::string ToNative(std::string_view hostSql) const override;
    std::unique_ptr<SqlStatement> Prepare(std::string_view sql) override;
    bool ExecuteScript(std::string_view sql) override;
    long Changes() const override;

    std::string LastError() const override;
    SchemaRefusal LastRefusal() const override;
    std::string RefusedSubject() const override;

    bool Begin() override;
    bool Commit() override;
    bool Rollback() override;

    bool NamesWriters() const override { return true; }
    bool NameWriter(const std::string& user, std::string_view kind) override;
    bool ForgetWriter() override;
    bool OpenChangeStep(ChangeStepKind kind) override;
    bool CloseChangeStep() override;

    std::unique_ptr<ISessionLocks> CreateSessionLocks() const override;
    std::shared_ptr<const RowCount> CountBeside(const std::string& nativeQuery) const override;
    bool KeepsCompiledStatements() const override { return true; }

private:
    bool OpenFile(const std::string& path, int flags);
    bool Fail(std::string message);
    void Close();
    bool RunKept(std::string_view sql);
    bool MarkImportEntry(std::int64_t entry);

    ReadingPattern reading_;
    sqlite3* db_ = nullptr;
    // Shared with the statements handed out, which go back to it while the connection is open.
    std::shared_ptr<StatementCache> cache_;
    std::string path_;
    // A failure found by this class rather than by the engine; empty when the engine's own
    // error state tells the last failure.
    std::string ownError_;
    bool schemaRefused_ = false;
    // The open step, its latest entry and the kind of the statement that opened the entry; the
    // kind of the statement being written.
    std::optional<ChangeStepKind> step_;
    std::optional<std::int64_t> stepEntry_;
    std::string entryKind_;
    std::string writingKind_;
};

}  // namespace zel
