#include "host/database/cls_common.h"

#include <algorithm>
#include <cctype>

#include "host/database/account_connection.h"
#include "host/database/column_catalogue.h"
#include "host/database/database_texts.h"
#include "host/database/forward_recordset.h"
#include "host/database/literal_parameters.h"
#include "host/database/local_time_text.h"
#include "host/database/refusal_message.h"
#include "host/database/single_value.h"
#include "host/database/sql_log.h"
#include "host/database/sql_tokenizer.h"
#include "host/database/static_recordset.h"
#include "host/database/table_record.h"
#include "host/database/write_rights.h"
#include "host/objects/host_date.h"
#include "host/objects/host_text.h"
#include "interfaces/pub.h"

namespace zel {
namespace {

bool IsIdentifier(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '_';
    });
}

bool StartsWithWord(const std::string& sql, std::string_view word) {
    // Most statements start with their word; only one behind a comment needs the tokenizer.
    const auto first = sql.find_first_not_of(" \t\r\n");
    if (first != std::string::npos && sql[first] != '-' && sql[first] != '/') {
        const std::string_view start = std::string_view(sql).substr(first, word.size());
        const std::size_t after = first + word.size();
        const bool wordEnds = after >= sql.size() ||
                              !SqlTokenizer::IsWordByte(static_cast<unsigned char>(sql[after]));
        return wordEnds && AsciiEqualIgnoringCase(start, word);
    }
    for (const auto& token : SqlTokenizer::Tokenize(sql)) {
        if (!token.IsGap()) {
            return token.IsWord(word);
        }
    }
    return false;
}

// Whether the statement is one whose success means changing rows.
bool ChangesRows(const std::string& sql) {
    return StartsWithWord(sql, "insert") || StartsWithWord(sql, "update") ||
           StartsWithWord(sql, "delete") || StartsWithWord(sql, "replace");
}

// What a changing statement does to the rows, as the change history names it.
std::string_view ChangeKindOf(const std::string& sql) {
    if (StartsWithWord(sql, "insert")) {
        return "add";
    }
    return StartsWithWord(sql, "delete") ? "delete" : "change";
}

std::string Now() {
    return LocalTimeText(std::chrono::system_clock::now());
}

bool RunToEnd(SqlStatement& statement, long& rows) {
    StepResult result;
    rows = 0;
    while ((result = statement.Step()) == StepResult::Row) {
        ++rows;
    }
    return result == StepResult::Done;
}

}  // namespace

ClsCommon::ClsCommon(std::shared_ptr<HostEnvironment> environment)
    : environment_(std::move(environment)) {}

ClsCommon::~ClsCommon() {
    if (account_) {
        account_->Locks().ReleaseAll(this);
    }
}

void ClsCommon::Init(const std::string& ysDBName) {
    const auto start = Clock::now();
    if (account_) {
        account_->Locks().ReleaseAll(this);
        account_.reset();
    }
    ysDBName_ = ysDBName;
    const DatabaseLocation location = environment_->accounts.Locate(ysDBName);
    std::string error;
    account_ = environment_->connections->Share<AccountConnection>(
        AccountConnection::KeyOf(location),
        [&] { return AccountConnection::Open(location, error); });
    if (!account_) {
        // The user is told only that the database cannot be reached; the reason (a refused
        // login, a server that does not answer) is for whoever reads the log.
        lastError_ = error;
        Log("Init", ysDBName, -1, start);
        return;
    }
    lastError_.clear();
}

bool ClsCommon::Status() {
    return account_ && account_->IsOpen();
}

SqlBackend& ClsCommon::Backend() const {
    return account_->Backend();
}

bool ClsCommon::Connected() {
    if (!account_) {
        lastError_ = DatabaseTexts::Text("Zel.HOST.DB.not_connected");
        return false;
    }
    if (account_->OpenTransaction() == AccountConnection::Transaction::kFailed) {
        lastError_ = account_->TransactionFailure();
        return false;
    }
    if (account_->IsOpen()) {
        return true;
    }
    // The transaction went with the connection: connecting again would run the next calls as if
    // the earlier ones of the transaction had happened.
    if (InCallersTransaction()) {
        FailCallersTransaction();
        lastError_ = account_->TransactionFailure();
        return false;
    }
    const auto start = Clock::now();
    std::string reason;
    switch (account_->Reconnect(reason)) {
        case AccountConnection::Reconnection::Connected:
            return true;
        case AccountConnection::Reconnection::Unreachable:
            TellConnectionLost("Connect", reason, start);
            return false;
        case AccountConnection::Reconnection::LockTaken:
            break;
    }
    lastError_ = reason.empty() ? DatabaseTexts::Text("Zel.HOST.LOCK.check_failed")
                                : DatabaseTexts::Format("Zel.HOST.LOCK.function_busy", {reason});
    Log("Connect", ysDBName_, -1, start);
    CloseFunctionWithoutItsLock();
    return false;
}

// The function went on without its lock while the connection was down: the user is told who
// holds it now, and the function closes, as when the lock is refused at its start.
void ClsCommon::CloseFunctionWithoutItsLock() {
    environment_->functionLockRefused = true;
    environment_->dialogs->MessageBox(lastError_, kMsgExclamation,
                                      DatabaseTexts::Text("Zel.AA.ARCHIVE.COMMON.exclamation"));
    if (environment_->closeFunction) {
        environment_->closeFunction();
    }
}

bool ClsCommon::NoteLostConnection() {
    if (!account_ || account_->IsOpen()) {
        return false;
    }
    TellConnectionLost("Connection lost", Backend().LastError(), Clock::now());
    return true;
}

void ClsCommon::TellConnectionLost(const char* operation, const std::string& reason,
                                   Clock::time_point start) {
    lastError_ = reason;
    Log(operation, ysDBName_, -1, start);
    lastError_ = DatabaseTexts::FormatWhole("Zel.HOST.DB.connection_lost", {ysDBName_, reason});
}

void ClsCommon::RollbackAfterFailure() {
    NoteLostConnection();
    Backend().Rollback();
}

bool ClsCommon::InCallersTransaction() const {
    return account_ && account_->OpenTransaction() != AccountConnection::Transaction::kNone;
}

void ClsCommon::FailCallersTransactionIfAny() {
    if (InCallersTransaction()) {
        FailCallersTransaction();
    }
}

void ClsCommon::FailCallersTransaction() {
    if (account_->OpenTransaction() != AccountConnection::Transaction::kOpen) {
        return;
    }
    const std::string reason = Backend().LastError();
    account_->FailTransaction(
        account_->IsOpen()
            ? DatabaseTexts::Format("Zel.HOST.DB.trans_failed", {reason})
            : DatabaseTexts::FormatWhole("Zel.HOST.DB.trans_lost", {ysDBName_, reason}));
}

bool ClsCommon::BeginWrite() {
    if (!InCallersTransaction()) {
        return Backend().Begin();
    }
    auto savepoint = Backend().Prepare("savepoint whinv_write");
    return savepoint && savepoint->Step() == StepResult::Done;
}

bool ClsCommon::CommitWrite() {
    if (!InCallersTransaction()) {
        return Backend().Commit();
    }
    auto release = Backend().Prepare("release savepoint whinv_write");
    return release && release->Step() == StepResult::Done;
}

void ClsCommon::RollbackWrite() {
    if (!InCallersTransaction()) {
        RollbackAfterFailure();
        return;
    }
    if (NoteLostConnection()) {
        FailCallersTransaction();
        return;
    }
    // The write's failure stays the reason the caller reads, whatever the undoing says.
    const std::string failure = lastError_;
    auto back = Backend().Prepare("rollback to savepoint whinv_write");
    auto release = back && back->Step() == StepResult::Done
                       ? Backend().Prepare("release savepoint whinv_write")
                       : nullptr;
    if (!release || release->Step() != StepResult::Done) {
        FailCallersTransaction();
    }
    lastError_ = failure;
}

bool ClsCommon::BeginTrans() {
    if (InCallersTransaction()) {
        lastError_ = DatabaseTexts::Text("Zel.HOST.DB.trans_nested");
        return false;
    }
    if (!Connected()) {
        return false;
    }
    account_->DrainLazyResults();
    const auto start = Clock::now();
    if (!Backend().Begin()) {
        lastError_ = Backend().LastError();
        Log("BeginTrans", "begin", -1, start);
        NoteLostConnection();
        return false;
    }
    account_->StartTransaction();
    lastError_.clear();
    return true;
}

bool ClsCommon::CommitTrans() {
    if (!InCallersTransaction()) {
        lastError_ = DatabaseTexts::Text("Zel.HOST.DB.trans_none");
        return false;
    }
    const auto start = Clock::now();
    if (account_->OpenTransaction() == AccountConnection::Transaction::kOpen &&
        account_->IsOpen()) {
        account_->DrainLazyResults();
        if (Backend().Commit()) {
            account_->EndTransaction();
            lastError_.clear();
            Log("CommitTrans", "commit", 0, start);
            return true;
        }
        FailCallersTransaction();
    } else if (!account_->IsOpen()) {
        FailCallersTransaction();
    }
    const std::string failure = account_->TransactionFailure();
    RollbackTrans();
    lastError_ = failure;
    Log("CommitTrans", "commit", -1, start);
    return false;
}

bool ClsCommon::RollbackTrans() {
    if (!InCallersTransaction()) {
        lastError_ = DatabaseTexts::Text("Zel.HOST.DB.trans_none");
        return false;
    }
    account_->EndTransaction();
    // A lost connection took the transaction with it; the next call connects again.
    if (!account_->IsOpen()) {
        return true;
    }
    account_->DrainLazyResults();
    if (Backend().Rollback()) {
        return true;
    }
    lastError_ = Backend().LastError();
    return !account_->IsOpen();
}

// Runs inside a call that found the account connected: a connection lost since fails it.
std::unique_ptr<SqlStatement> ClsCommon::Prepare(const std::string& sql, std::string& adapted) {
    adapted = sql;
    if (!Status()) {
        lastError_ = DatabaseTexts::Text("Zel.HOST.DB.not_connected");
        return nullptr;
    }
    adapted = Backend().ToNative(sql);
    if (Backend().KeepsCompiledStatements()) {
        if (auto shared = PrepareShared(adapted)) {
            return shared;
        }
    }
    auto statement = Backend().Prepare(adapted);
    if (!statement) {
        lastError_ = Backend().LastError();
    }
    return statement;
}

// The query with its quoted values bound, so that queries differing only in them (one per item of
// a batch) share one compiled statement; nullptr when it has no such values or when that form does
// not compile, and the query is then prepared as written.
std::unique_ptr<SqlStatement> ClsCommon::PrepareShared(const std::string& adapted) {
    const auto literals = LiteralParameters::Of(adapted);
    if (!literals) {
        return nullptr;
    }
    auto statement = Backend().Prepare(literals->sql);
    for (std::size_t i = 0; statement && i < literals->texts.size(); ++i) {
        if (!statement->BindText(static_cast<int>(i) + 1, literals->texts[i])) {
            statement.reset();
        }
    }
    return statement;
}

void ClsCommon::Log(const char* operation, const std::string& adapted, long rows,
                    Clock::time_point start) const {
    SqlLog(environment_->sqlLogPath)
        .Append(operation, adapted, rows, Clock::now() - start,
                rows < 0 ? lastError_ : std::string());
}

void ClsCommon::CountBeside(StaticRecordset& recordset, const std::string& adapted) const {
    recordset.SetCountStarter(
        [backend = account_->WeakBackend(), adapted]() -> StaticRecordset::CountBeside {
            const auto connection = backend.lock();
            std::shared_ptr<const RowCount> count =
                connection ? connection->CountBeside(adapted) : nullptr;
            if (!count) {
                return nullptr;
            }
            return [count] { return count->Result(); };
        });
}

std::shared_ptr<IRecordset> ClsCommon::OpenX(const std::string& sql) {
    if (!Connected()) {
        return nullptr;
    }
    const auto start = Clock::now();
    std::string adapted;
    auto statement = Prepare(sql, adapted);
    if (!statement) {
        Log("OpenX", adapted, -1, start);
        NoteLostConnection();
        FailCallersTransactionIfAny();
        return nullptr;
    }
    // The line is written when the rows stop coming, which for a big result is after OpenX.
    StaticRecordset::Finished finished;
    if (!environment_->sqlLogPath.empty()) {
        finished = [log = SqlLog(environment_->sqlLogPath), adapted, start,
                    backend = account_->WeakBackend()](long rows) {
            const auto connection = backend.lock();
            log.Append("OpenX", adapted, rows, Clock::now() - start,
                       rows < 0 && connection ? connection->LastError() : std::string());
        };
    }
    auto recordset = StaticRecordset::Open(std::move(statement), std::move(finished));
    if (!recordset) {
        lastError_ = Backend().LastError();
        NoteLostConnection();
        FailCallersTransactionIfAny();
        return nullptr;
    }
    if (recordset->Reading()) {
        account_->KeepReading(recordset);
        CountBeside(*recordset, adapted);
    }
    return recordset;
}

std::shared_ptr<IRecordset> ClsCommon::Openforward(const std::string& sql) {
    if (!Connected()) {
        return nullptr;
    }
    const auto start = Clock::now();
    std::string adapted;
    auto statement = Prepare(sql, adapted);
    if (!statement) {
        Log("Openforward", adapted, -1, start);
        NoteLostConnection();
        FailCallersTransactionIfAny();
        return nullptr;
    }
    statement->PlanForFirstRows();
    // Rows are counted as the caller reads them, so the line is written when the result ends.
    ForwardRecordset::Finished finished;
    if (!environment_->sqlLogPath.empty()) {
        finished = [log = SqlLog(environment_->sqlLogPath), adapted, start](long rows) {
            log.Append("Openforward", adapted, rows, Clock::now() - start);
        };
    }
    auto recordset = ForwardRecordset::Open(std::move(statement), std::move(finished));
    if (!recordset) {
        lastError_ = Backend().LastError();
        Log("Openforward", adapted, -1, start);
        NoteLostConnection();
        FailCallersTransactionIfAny();
    }
    return recordset;
}

bool ClsCommon::ExecuteX(const std::string& sql) {
    if (!Connected()) {
        return false;
    }
    account_->DrainLazyResults();
    const auto start = Clock::now();
    std::string adapted;
    auto statement = Prepare(sql, adapted);
    const bool changing = ChangesRows(adapted);
    // The writer's name and the write commit together, or neither does; in the caller's
    // transaction a write that fails takes back only itself.
    const bool ownTransaction =
        statement && changing && (Backend().NamesWriters() || InCallersTransaction());
    long rows = 0;
    bool ran = false;
    bool begun = false;
    if (statement && (!ownTransaction || (begun = BeginWrite()))) {
        ran = changing ? RunWrite(*statement, SessionUser(), ChangeKindOf(adapted), rows)
                       : RunToEnd(*statement, rows);
        ran = ran && (!ownTransaction || CommitWrite());
    }
    if (!ran) {
        if (statement) {
            const std::string refusal =
                RefusalMessage(Backend(), StartsWithWord(adapted, "delete"));
            lastError_ = refusal.empty() ? Backend().LastError() : refusal;
        }
        Log("ExecuteX", adapted, -1, start);
        if (begun) {
            RollbackWrite();
        } else {
            NoteLostConnection();
            // Only a write is taken back alone; a server fails a query as it runs, a file as it
            // compiles, and both fail the caller's transaction alike.
            if (statement || !changing) {
                FailCallersTransactionIfAny();
            }
        }
        return false;
    }
    Log("ExecuteX", adapted, rows, start);
    // A change that found no row fails too; what an earlier call left must not pass for its reason.
    const bool done = !changing || rows >= 1;
    lastError_ = done ? std::string() : DatabaseTexts::Text("Zel.HOST.DB.no_row_changed");
    return done;
}

bool ClsCommon::RunWrite(SqlStatement& statement, const std::string& user, std::string_view kind,
                         long& changed) {
    long steps = 0;
    if (!Backend().NameWriter(user, kind) || !RunToEnd(statement, steps)) {
        return false;
    }
    changed = Backend().Changes();
    return Backend().ForgetWriter();
}

void ClsCommon::BeginChangeStep() {
    OpenChangeStep(ChangeStepKind::kByStatement);
}

void ClsCommon::BeginImportStep() {
    OpenChangeStep(ChangeStepKind::kImport);
}

void ClsCommon::OpenChangeStep(ChangeStepKind kind) {
    // Without the step the writes are still recorded, an entry each.
    if (Connected() && !Backend().OpenChangeStep(kind)) {
        NoteLostConnection();
    }
}

void ClsCommon::EndChangeStep() {
    if (account_ && account_->IsOpen() && !Backend().CloseChangeStep()) {
        NoteLostConnection();
    }
}

std::string ClsCommon::SessionUser() const {
    return environment_->session ? environment_->session->cUserId() : std::string();
}

bool ClsCommon::Save(const std::string& xml, const std::string& table, std::string& message,
                     bool adding) {
    message.clear();
    if (!Connected()) {
        message = lastError_;
        return false;
    }
    auto record = TableRecord::Parse(xml, table, message);
    if (!record) {
        return false;
    }
    account_->DrainLazyResults();
    if (SaveChecked(*record, adding, message)) {
        return true;
    }
    // A transaction cut by the lost connection is lost whole: the server rolled it back.
    if (!Status()) {
        message = lastError_;
    }
    return false;
}

bool ClsCommon::SaveChecked(TableRecord& record, bool adding, std::string& message) {
    // Checks and write see one state: no right, code or row can change in between.
    if (!BeginWrite()) {
        lastError_ = Backend().LastError();
        message = DatabaseTexts::Format("Zel.HOST.DB.save_failed", {lastError_});
        FailCallersTransactionIfAny();
        return false;
    }
    const std::string now = Now();
    const bool checked = record.Check(Backend(), adding, BusinessDate(now), message);
    if (checked && !InCallersTransaction()) {
        // The write is all the transaction changes: an update that finds its row gone changes
        // nothing, so its commit may travel with it even though the save then fails.
        Backend().CommitWithNextStatement();
    }
    const bool written = checked && Write(record, adding, now, message);
    if (written && CommitWrite()) {
        return true;
    }
    if (written) {
        lastError_ = Backend().LastError();
        message = DatabaseTexts::Format("Zel.HOST.DB.save_failed", {lastError_});
    }
    RollbackWrite();
    return false;
}

// The login's business date, as the editor's look-ups use it; a host without a login (a tool, a
// test) works on the computer's date.
std::optional<std::string> ClsCommon::BusinessDate(const std::string& now) const {
    if (!environment_->session) {
        return now.substr(0, now.find(' '));
    }
    const auto date = HostDate::Parse(environment_->session->CurDate());
    return date ? std::optional(date->ToIso()) : std::nullopt;
}

bool ClsCommon::Write(const TableRecord& record, bool adding, const std::string& now,
                      std::string& message) {
    const auto start = Clock::now();
    const auto built = adding ? record.Insert(now) : record.Update(now);
    auto statement = Backend().Prepare(built.sql);
    bool bound = statement != nullptr;
    for (std::size_t i = 0; bound && i < built.values.size(); ++i) {
        bound = statement->Bind(static_cast<int>(i) + 1, built.values[i]);
    }
    long changed = -1;
    const bool ran =
        bound && RunWrite(*statement, record.WriterId().empty() ? SessionUser() : record.WriterId(),
                          adding ? "add" : "change", changed);
    if (!ran) {
        lastError_ = Backend().LastError();
    }
    Log(adding ? "Add" : "Modify", built.sql, changed, start);
    if (!ran) {
        // The schema decides the rules of the row: the unique key, so that two programs adding
        // the same pair cannot both succeed, the references and the checks.
        message = RefusalMessage(Backend());
        if (message.empty()) {
            message = DatabaseTexts::Format("Zel.HOST.DB.save_failed", {lastError_});
        }
        return false;
    }
    // An update of no row: someone deleted it since the caller read it, or the row is one the
    // login may read but not write, which a server's row policy passes over without an error.
    if (changed < 1) {
        const auto row = record.KeyRow();
        const bool stillThere = Exists(row.sql, row.values);
        message =
            DatabaseTexts::Text(stillThere ? "Zel.HOST.DB.denied" : "Zel.HOST.DB.modify_gone");
        return false;
    }
    return true;
}

bool ClsCommon::Add(const std::string& xml, const std::string& table, std::string& message) {
    return Save(xml, table, message, true);
}

bool ClsCommon::Modify(const std::string& xml, const std::string& table, std::string& message) {
    return Save(xml, table, message, false);
}

bool ClsCommon::Delete(const std::string& condition, const std::string& keyField,
                       const std::string& table, std::string& message, const std::string& userId) {
    message.clear();
    if (!Connected()) {
        message = lastError_;
        return false;
    }
    if (!IsIdentifier(table) || !IsIdentifier(keyField)) {
        message = DatabaseTexts::Text("Zel.HOST.DB.bad_delete");
        return false;
    }
    const std::string where = keyField + "='" + condition + "'";
    if (RunDelete(table, where, userId, message)) {
        return true;
    }
    if (!Status()) {
        message = lastError_;
    }
    return false;
}

bool ClsCommon::Exists(const std::string& sql, const std::vector<Variant>& values) {
    const auto found = ReadSingleValue(Backend(), Backend().ToNative(sql), values);
    return found.read && found.value.has_value();
}

// One row is what the caller meant; a condition that reaches more is refused whole. A row is
// deleted only by a user who may write it, as a save requires.
bool ClsCommon::RunDelete(const std::string& table, const std::string& where,
                          const std::string& userId, std::string& message) {
    const std::string rows = table + " where " + where;
    account_->DrainLazyResults();
    const auto start = Clock::now();
    if (!BeginWrite()) {
        lastError_ = Backend().LastError();
        message = DatabaseTexts::Format("Zel.HOST.DB.delete_failed", {lastError_});
        FailCallersTransactionIfAny();
        return false;
    }
    if (!MayDelete(table, where, userId, message)) {
        RollbackWrite();
        return false;
    }
    std::string adapted;
    auto statement = Prepare("delete from " + rows, adapted);
    long deleted = 0;
    const bool ran = statement && RunWrite(*statement, userId.empty() ? SessionUser() : userId,
                                           "delete", deleted);
    if (!ran && statement) {
        lastError_ = Backend().LastError();
    }
    Log("Delete", adapted, ran ? deleted : -1, start);
    if (ran && deleted == 1 && CommitWrite()) {
        return true;
    }
    if (ran && deleted == 1) {
        lastError_ = Backend().LastError();
    }
    RollbackWrite();
    message = DeleteRefusal(ran, statement != nullptr, deleted, rows);
    return false;
}

std::string ClsCommon::DeleteRefusal(bool ran, bool prepared, long deleted,
                                     const std::string& rows) {
    if (!ran) {
        const std::string refusal = prepared ? RefusalMessage(Backend(), true) : std::string();
        return refusal.empty() ? DatabaseTexts::Text("Zel.HOST.DB.bad_delete") : refusal;
    }
    if (deleted == 1) {
        return DatabaseTexts::Format("Zel.HOST.DB.delete_failed", {lastError_});
    }
    if (deleted > 1) {
        return DatabaseTexts::Text("Zel.HOST.DB.delete_many");
    }
    // Nothing deleted, yet the row is there: a server's row policy kept it from this login.
    return DatabaseTexts::Text(Exists("select 1 from " + rows, {}) ? "Zel.HOST.DB.denied"
                                                                   : "Zel.HOST.DB.delete_no_row");
}

// The rows are read under the delete's transaction, so the rights and the row cannot change in
// between. A condition naming no row or several is left to the delete, which refuses it whole,
// and so is a table the schema does not have.
bool ClsCommon::MayDelete(const std::string& table, const std::string& where,
                          const std::string& userId, std::string& message) {
    const auto* known = ColumnCatalogue::OfSchema().FindTable(table);
    if (known == nullptr) {
        return true;
    }
    std::string columns;
    for (const auto& reference : known->references) {
        columns += (columns.empty() ? "" : ", ") + reference.column;
    }
    std::string adapted;
    auto rows = Prepare(
        "select " + (columns.empty() ? "1" : columns) + " from " + known->name + " where " + where,
        adapted);
    std::vector<WrittenCode> codes;
    long count = 0;
    StepResult step = StepResult::Error;
    while (rows && (step = rows->Step()) == StepResult::Row) {
        if (++count > 1) {
            continue;
        }
        for (std::size_t i = 0; i < known->references.size(); ++i) {
            codes.push_back(
                {known->references[i].table, std::string(rows->ColumnText(static_cast<int>(i)))});
        }
    }
    if (step != StepResult::Done) {
        lastError_ = Backend().LastError();
        message = DatabaseTexts::Text("Zel.HOST.DB.bad_delete");
        return false;
    }
    if (count != 1) {
        return true;
    }
    message = WriteRefusal(WriteRights(Backend(), userId), userId, known->name, codes);
    return message.empty();
}

bool ClsCommon::TryAcquire(const std::string& name, const std::string& holder,
                           std::string& currentHolder) {
    currentHolder.clear();
    return Connected() && account_->Locks().TryAcquire(this, name, holder, currentHolder);
}

// A lock lost with the connection is gone already; it is not taken again only to be released.
void ClsCommon::Release(const std::string& name) {
    if (account_) {
        account_->Locks().Release(this, name);
    }
}

}  // namespace zel
