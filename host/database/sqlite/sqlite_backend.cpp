#include "host/database/sqlite/sqlite_backend.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "host/database/sqlite/file_session_locks.h"
#include "host/database/sqlite/schema_upgrade.h"
#include "host/database/sqlite/sqlite_row_count.h"
#include "host/database/sqlite/sqlite_statement.h"
#include "host/database/sqlite/statement_cache.h"
#include "host/database/tsql_adapter.h"

namespace zel {
namespace {

// How long a statement waits for another process's write to end before it fails.
constexpr int kBusyTimeoutMs = 5000;

// Statements kept compiled: the checks and the write of a record save with room to spare for the
// queries of the window around it.
constexpr std::size_t kKeptStatements = 64;

// The most of a file's pages a connection keeps in memory; the cache grows only as used. SQLite's
// own 2 MB is small beside a window's list of tens of thousands of rows, which would go back to
// the file for most pages each time it is read again. A report reads each page of its list once,
// but looks up the names it joins row after row: 8 MB keeps most of them, and a cache that grew
// with the account would only grow the report's memory.
int PageCacheKiB(ReadingPattern reading) {
    return reading == ReadingPattern::kBrowsing ? 65536 : 8192;
}

}  // namespace

SqliteBackend::~SqliteBackend() {
    Close();
}

void SqliteBackend::Close() {
    // Statements still held by callers are finalised when they are dropped.
    cache_.reset();
    // close_v2 keeps the connection until statements still held by recordsets are finalised.
    sqlite3_close_v2(db_);
    db_ = nullptr;
}

bool SqliteBackend::Fail(std::string message) {
    ownError_ = std::move(message);
    return false;
}

bool SqliteBackend::Open(const std::string& path) {
    schemaRefused_ = false;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        Close();
        return Fail("no database file " + path);
    }
    return OpenFile(path, SQLITE_OPEN_READWRITE);
}

// On one machine an account file's permissions are all that keeps other users out of it: a new
// file is its owner's alone from the start, made here before the engine would make it with the
// usual umask. A file that is there keeps its permissions; the engine gives its journal and log
// files the same as the database's.
bool SqliteBackend::Create(const std::string& path) {
    const int made =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (made >= 0) {
        ::close(made);
    }
    if (!OpenFile(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) {
        if (made >= 0) {
            ::unlink(path.c_str());
        }
        return false;
    }
    return true;
}

bool SqliteBackend::OpenFile(const std::string& path, int flags) {
    Close();
    ownError_.clear();
    // A connection serves one thread, the host's user-interface thread: the engine's lock
    // around every call would only cost time.
    if (sqlite3_open_v2(path.c_str(), &db_, flags | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        std::string message = db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory";
        Close();
        return Fail(path + ": " + message);
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    // The engine reads the file lazily: make a file that is not a database fail here.
    if (sqlite3_exec(db_, "select count(*) from sqlite_master", nullptr, nullptr, nullptr) !=
        SQLITE_OK) {
        std::string message = path + ": " + sqlite3_errmsg(db_);
        Close();
        return Fail(message);
    }
    std::string upgradeError;
    if (!SchemaUpgrade::Run(db_, upgradeError)) {
        Close();
        schemaRefused_ = true;
        return Fail(upgradeError);
    }
    // Every saved record is its own transaction (a batch add commits one per item), so the
    // journal's commit cost sets the pace. Measured on this machine with 10,000 single-row
    // commits: the rollback journal about 1,250 a second, write-ahead logging with synchronous
    // FULL about 5,500, with NORMAL about 27,000. With NORMAL a commit is still atomic and
    // survives a crash of the program; only the last commits before a power cut may be lost, never
    // the file's consistency, and a batch run again skips what it already stored. The log lives
    // beside the file, which stays an ordinary database for any SQLite tool.
    sqlite3_exec(db_, "pragma journal_mode=wal", nullptr, nullptr, nullptr);
    sqlite3_exec(db_, "pragma synchronous=normal", nullptr, nullptr, nullptr);
    // The engine checks references only on the connections that ask for it.
    sqlite3_exec(db_, "pragma foreign_keys = on", nullptr, nullptr, nullptr);
    const std::string pageCache = "pragma cache_size=-" + std::to_string(PageCacheKiB(reading_));
    sqlite3_exec(db_, pageCache.c_str(), nullptr, nullptr, nullptr);
    cache_ = std::make_shared<StatementCache>(kKeptStatements);
    path_ = path;
    return true;
}

std::string SqliteBackend::ToNative(std::string_view hostSql) const {
    return TsqlAdapter::ToSqlite(hostSql);
}

std::unique_ptr<SqlStatement> SqliteBackend::Prepare(std::string_view sql) {
    ownError_.clear();
    if (db_ == nullptr) {
        Fail("database not open");
        return nullptr;
    }
    if (sqlite3_stmt* kept = cache_->Take(sql)) {
        return std::make_unique<SqliteStatement>(kept, std::string(sql), cache_);
    }
    sqlite3_stmt* statement = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement, &tail) !=
        SQLITE_OK) {
        return nullptr;
    }
    if (statement == nullptr) {
        Fail("no statement");
        return nullptr;
    }
    const char* end = sql.data() + sql.size();
    sqlite3_stmt* following = nullptr;
    if (sqlite3_prepare_v2(db_, tail, static_cast<int>(end - tail), &following, nullptr) !=
            SQLITE_OK ||
        following != nullptr) {
        sqlite3_finalize(following);
        sqlite3_finalize(statement);
        Fail("more than one statement");
        return nullptr;
    }
    return std::make_unique<SqliteStatement>(statement, std::string(sql), cache_);
}

bool SqliteBackend::ExecuteScript(std::string_view sql) {
    ownError_.clear();
    if (db_ == nullptr) {
        return Fail("database not open");
    }
    // A script may change the schema: keep nothing compiled against the old one.
    cache_->Clear();
    return sqlite3_exec(db_, std::string(sql).c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

long SqliteBackend::Changes() const {
    return db_ != nullptr ? sqlite3_changes(db_) : 0;
}

std::string SqliteBackend::LastError() const {
    if (!ownError_.empty() || db_ == nullptr) {
        return ownError_;
    }
    return sqlite3_errmsg(db_);
}

SchemaRefusal SqliteBackend::LastRefusal() const {
    if (!ownError_.empty() || db_ == nullptr) {
        return SchemaRefusal::None;
    }
    switch (sqlite3_extended_errcode(db_)) {
        case SQLITE_CONSTRAINT_UNIQUE:
        case SQLITE_CONSTRAINT_PRIMARYKEY:
            return SchemaRefusal::Unique;
        case SQLITE_CONSTRAINT_FOREIGNKEY:
            return SchemaRefusal::ForeignKey;
        case SQLITE_CONSTRAINT_CHECK:
            return SchemaRefusal::Check;
        case SQLITE_CONSTRAINT_NOTNULL:
            return SchemaRefusal::NotNull;
        default:
            return SchemaRefusal::None;
    }
}

// "CHECK constraint failed: bad_days_week" gives "bad_days_week"; "UNIQUE constraint failed:
// T.a, T.b" gives "T" and "NOT NULL constraint failed: T.a" gives "T.a".
std::string SqliteBackend::RefusedSubject() const {
    const std::string error = LastError();
    const auto colon = error.find(": ");
    if (colon == std::string::npos) {
        return {};
    }
    std::string subject = error.substr(colon + 2);
    const SchemaRefusal refusal = LastRefusal();
    if (refusal == SchemaRefusal::Unique || refusal == SchemaRefusal::ForeignKey) {
        subject = subject.substr(0, subject.find('.'));
    }
    return subject;
}

bool SqliteBackend::RunKept(std::string_view sql) {
    const auto statement = Prepare(sql);
    return statement && statement->Step() == StepResult::Done;
}

bool SqliteBackend::Begin() {
    return RunKept("begin immediate");
}

bool SqliteBackend::Commit() {
    // Some failures (a full disk, a lost lock) end the transaction in the engine: what ran after
    // them committed alone, so the transaction as a whole was not kept.
    if (db_ != nullptr && sqlite3_get_autocommit(db_) != 0) {
        return Fail("the transaction was ended by an earlier failure and rolled back");
    }
    return RunKept("commit");
}

bool SqliteBackend::Rollback() {
    return RunKept("rollback");
}

bool SqliteBackend::NameWriter(const std::string& user, std::string_view kind) {
    // A step's entry is joined only while it exists: a transaction rolled back after the entry
    // was read takes the entry with it.
    const auto statement = Prepare(
        "insert or replace into whinv_change_context (iOne, cUser, iChange) "
        "values (1, ?, (select iChange from whinv_change where iChange = ?))");
    writingKind_ = kind;
    const bool joins =
        step_ && stepEntry_ && (*step_ == ChangeStepKind::kImport || entryKind_ == kind);
    return statement && statement->BindText(1, user) &&
           (joins ? statement->BindInteger(2, *stepEntry_) : statement->BindNull(2)) &&
           statement->Step() == StepResult::Done;
}

bool SqliteBackend::ForgetWriter() {
    if (step_) {
        const auto entry = Prepare("select iChange from whinv_change_context");
        if (!entry || entry->Step() != StepResult::Row) {
            return false;
        }
        if (entry->ColumnType(0) != SqlValueType::Null) {
            stepEntry_ = entry->ColumnInteger(0);
            entryKind_ = writingKind_;
            if (*step_ == ChangeStepKind::kImport && !MarkImportEntry(*stepEntry_)) {
                return false;
            }
        }
    }
    return RunKept("delete from whinv_change_context");
}

// The triggers open an entry of the kind of the statement that opens it. Whether this statement
// opened the step's entry cannot be told by its number: an entry rolled back leaves its number to
// the next one.
bool SqliteBackend::MarkImportEntry(std::int64_t entry) {
    const auto statement =
        Prepare("update whinv_change set cKind = 'import' where iChange = ? and cKind <> 'import'");
    return statement && statement->BindInteger(1, entry) && statement->Step() == StepResult::Done;
}

bool SqliteBackend::OpenChangeStep(ChangeStepKind kind) {
    step_ = kind;
    stepEntry_.reset();
    entryKind_.clear();
    return true;
}

bool SqliteBackend::CloseChangeStep() {
    step_.reset();
    stepEntry_.reset();
    return true;
}

std::unique_ptr<ISessionLocks> SqliteBackend::CreateSessionLocks() const {
    return std::make_unique<FileSessionLocks>(path_ + ".locks");
}

std::shared_ptr<const RowCount> SqliteBackend::CountBeside(const std::string& nativeQuery) const {
    return SqliteRowCount::Start(path_, nativeQuery);
}

}  // namespace zel
