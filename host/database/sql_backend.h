#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "host/database/row_count.h"
#include "host/database/session_locks.h"
#include "host/database/sql_statement.h"

namespace zel {

// The rule of the schema that refused the last write, if one did; Denied is a right the user
// lacks on a server (a table's grant, or a row policy of the schema).
enum class SchemaRefusal { None, Unique, ForeignKey, Check, NotNull, Denied };

// How a step of the change history joins its write statements into entries.
enum class ChangeStepKind {
    // Consecutive statements of one kind (add, change, delete) share an entry of that kind.
    kByStatement,
    // Every statement shares one entry of kind "import".
    kImport,
};

// One connection to an account database. The database service works only through this
// interface, so that each engine (SQLite, PostgreSQL) brings its own connection, dialect
// translation, session locks and counts.
class SqlBackend {
public:
    virtual ~SqlBackend() = default;

    // Opens an existing database; false with LastError when it is missing or unreadable.
    virtual bool Open(const std::string& connection) = 0;
    virtual bool IsOpen() const = 0;
    // After a failed Open: whether the account was reached and its schema is what kept it shut
    // (made by a newer program, or not brought up to date). LastError then tells the user why in
    // their words; any other failure is the account out of reach.
    virtual bool SchemaRefusedOpen() const = 0;

    // The host dialect the component writes, turned into this engine's SQL.
    virtual std::string ToNative(std::string_view hostSql) const = 0;

    // Exactly one statement; nullptr with LastError when it does not compile or when more text
    // follows it (a second statement is never run behind the caller's back).
    virtual std::unique_ptr<SqlStatement> Prepare(std::string_view sql) = 0;
    // Several statements without results, such as a schema script.
    virtual bool ExecuteScript(std::string_view sql) = 0;
    // Rows changed by the last insert, update or delete.
    virtual long Changes() const = 0;

    virtual std::string LastError() const = 0;
    virtual SchemaRefusal LastRefusal() const = 0;
    // What the last refusal names: the check's name ("bad_days_week"), the table of a unique key
    // or reference ("WhInvContrapose"), or the column that needs a value ("T.column").
    virtual std::string RefusedSubject() const = 0;

    // Takes the write lock at once, so that checks made inside see the final state.
    virtual bool Begin() = 0;
    virtual bool Commit() = 0;
    virtual bool Rollback() = 0;
    // Announces that the next statement is the transaction's last: an engine for which each
    // exchange with the database costs a wait may send the commit along with it, which commits
    // when the statement succeeds and rolls back when it fails. Commit or Rollback still follows
    // as usual; once the statement ran, Commit tells whether its commit held, and Rollback has
    // nothing left to end.
    virtual void CommitWithNextStatement() {}

    // The change history of the correspondence rows is kept by the database. An engine whose
    // history cannot know who writes (a file) is told before each write statement and forgets it
    // after it, in the statement's transaction, so that a later writer without a name (another
    // program) is never credited to this one. An engine that knows its login needs neither.
    // kind: "add", "change" or "delete", what the statement does.
    virtual bool NamesWriters() const { return false; }
    virtual bool NameWriter(const std::string& /*user*/, std::string_view /*kind*/) { return true; }
    virtual bool ForgetWriter() { return true; }
    // Until the step is closed, consecutive write statements of one kind are one history entry;
    // in an import step every write statement is, of kind "import".
    virtual bool OpenChangeStep(ChangeStepKind kind) = 0;
    virtual bool CloseChangeStep() = 0;

    // Named locks that end with this process or connection.
    virtual std::unique_ptr<ISessionLocks> CreateSessionLocks() const = 0;
    // Starts counting the rows of a query in this engine's SQL on a connection of its own, while
    // this one reads them; nullptr when no second connection can be had.
    virtual std::shared_ptr<const RowCount> CountBeside(const std::string& nativeQuery) const = 0;
    // Whether statements stay compiled for the next caller of the same text, so that binding a
    // query's quoted texts lets queries that differ only in them share one.
    virtual bool KeepsCompiledStatements() const = 0;
};

}  // namespace zel
