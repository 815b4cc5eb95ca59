#include "host/database/postgres/postgres_connection.h"

#include "host/database/postgres/postgres_answer_wait.h"
#include "host/database/postgres/postgres_statement.h"

#include <string_view>
#include <utility>

namespace zel {
namespace {

std::string Field(const PGresult* result, int field) {
    const char* text = PQresultErrorField(result, field);
    return text != nullptr ? text : "";
}

SchemaRefusal RefusalOf(const std::string& sqlState) {
    if (sqlState == "23505") {
        return SchemaRefusal::Unique;
    }
    if (sqlState == "23503") {
        return SchemaRefusal::ForeignKey;
    }
    if (sqlState == "23514") {
        return SchemaRefusal::Check;
    }
    if (sqlState == "23502") {
        return SchemaRefusal::NotNull;
    }
    if (sqlState == "42501") {
        return SchemaRefusal::Denied;
    }
    return SchemaRefusal::None;
}

// The schema check that stands for a value its column's type cannot hold.
const char* TypeRuleOf(const std::string& sqlState) {
    if (sqlState == "22P02" || sqlState == "22003") {
        return "not_a_number";
    }
    if (sqlState == "22007" || sqlState == "22008") {
        return "not_a_date";
    }
    return nullptr;
}

}  // namespace

std::shared_ptr<PostgresConnection> PostgresConnection::Open(const std::string& conninfo,
                                                             std::string& error,
                                                             ReadingPattern reading) {
    // Texts travel as UTF-8 and dates as yyyy-mm-dd, whatever the server's defaults.
    PostgresConnect made = ConnectWithinLimits(conninfo,
                                               "set client_encoding = 'UTF8'; set datestyle = "
                                               "'ISO, YMD'; set intervalstyle = 'iso_8601';",
                                               reading);
    if (made.connection == nullptr) {
        error = std::move(made.error);
        return nullptr;
    }
    std::shared_ptr<PostgresConnection> opened(
        new PostgresConnection(made.connection, conninfo, made.limits, reading));
    opened->ReadOrigins();
    return opened;
}

PostgresConnection::PostgresConnection(PGconn* connection, std::string conninfo,
                                       PostgresLimits limits, ReadingPattern reading)
    : connection_(connection), conninfo_(std::move(conninfo)), limits_(limits), reading_(reading) {}

PostgresConnection::~PostgresConnection() {
    PQfinish(connection_);
}

void PostgresConnection::ReadOrigins() {
    const PqResult columns =
        AnswerTo(PQsendQuery(connection_,
                             "select a.attrelid, c.relname, a.attnum, a.attname "
                             "from pg_attribute a join pg_class c on c.oid = a.attrelid "
                             "where c.relnamespace = to_regnamespace(current_schema()) "
                             "and c.relkind in ('r', 'v', 'p') and a.attnum > 0 "
                             "and not a.attisdropped") == 1);
    if (PQresultStatus(columns.get()) != PGRES_TUPLES_OK) {
        return;
    }
    const ColumnCatalogue& catalogue = ColumnCatalogue::OfSchema();
    for (int row = 0; row < PQntuples(columns.get()); ++row) {
        const ColumnCatalogue::Column* column =
            catalogue.Find(PQgetvalue(columns.get(), row, 1), PQgetvalue(columns.get(), row, 3));
        if (column != nullptr) {
            const auto table = static_cast<Oid>(std::stoul(PQgetvalue(columns.get(), row, 0)));
            origins_.emplace(std::pair(table, std::stoi(PQgetvalue(columns.get(), row, 2))),
                             column);
        }
    }
}

const ColumnCatalogue::Column* PostgresConnection::Origin(Oid table, int column) const {
    const auto found = origins_.find(std::pair(table, column));
    return found == origins_.end() ? nullptr : found->second;
}

void PostgresConnection::MakeReady(const PostgresStatement* sender) {
    if (streaming_ != nullptr && streaming_ != sender) {
        PostgresStatement* overtaken = streaming_;
        streaming_ = nullptr;
        overtaken->TakeRest();
    }
}

void PostgresConnection::StopStreaming(const PostgresStatement* statement) {
    if (streaming_ == statement) {
        streaming_ = nullptr;
    }
    if (PQpipelineStatus(connection_) != PQ_PIPELINE_OFF) {
        EndPipeline();
    }
}

PqResult PostgresConnection::NextResult() {
    if (connection_ == nullptr) {
        return nullptr;
    }
    if (!AwaitAnswer(connection_, limits_.Answer())) {
        GiveUp();
        return nullptr;
    }
    return PqResult(PQgetResult(connection_));
}

PqResult PostgresConnection::AnswerTo(bool sent) {
    if (!sent) {
        FailSending();
        return nullptr;
    }
    PqResult last;
    while (PqResult next = NextResult()) {
        last = std::move(next);
    }
    return last;
}

void PostgresConnection::CancelStatement() {
    zel::CancelStatement(connection_, limits_.connect);
}

void PostgresConnection::GiveUp() {
    // The connection closes at once, so a late cancel can end nothing else: no need to wait.
    zel::CancelStatement(connection_, std::chrono::milliseconds(0));
    PQfinish(connection_);
    connection_ = nullptr;
    NoteFailure("timed out after " + std::to_string(limits_.Answer().count() / 1000) +
                " s waiting for the server; the connection was closed");
}

bool PostgresConnection::Send(const std::string& sql, const std::vector<const char*>& values) {
    const int count = static_cast<int>(values.size());
    const Sending how = HowToSend(sql);
    const bool withBegin = std::exchange(beginWaits_, false);
    const bool withCommit = std::exchange(commitWaits_, false);
    const bool pipelined = withBegin || withCommit || how.prepareFirst;
    // Types are left to the server, which takes each from where its value is used.
    const bool sent =
        (!pipelined || PQenterPipelineMode(connection_) == 1) &&
        (!withBegin || SendCommand("begin")) &&
        (!how.prepareFirst ||
         PQsendPrepare(connection_, how.name->c_str(), sql.c_str(), count, nullptr) == 1) &&
        (how.name != nullptr ? PQsendQueryPrepared(connection_, how.name->c_str(), count,
                                                   values.data(), nullptr, nullptr, 0)
                             : PQsendQueryParams(connection_, sql.c_str(), count, nullptr,
                                                 values.data(), nullptr, nullptr, 0)) == 1 &&
        (!withCommit || SendCommitBehind()) && (!pipelined || PQpipelineSync(connection_) == 1);
    // What went ahead answers first; a refusal there made the server skip the rest.
    const bool ready =
        sent ? (!withBegin || ReadAhead()) && (!how.prepareFirst || ReadAhead()) : FailSending();
    if (!ready) {
        if (how.prepareFirst) {
            ForgetName(sql);
        }
        return false;
    }
    PQsetSingleRowMode(connection_);
    return true;
}

bool PostgresConnection::SendCommand(const char* command) {
    return PQsendQueryParams(connection_, command, 0, nullptr, nullptr, nullptr, nullptr, 0) == 1;
}

bool PostgresConnection::SendCommitBehind() {
    if (!SendCommand("commit")) {
        return false;
    }
    carriedCommit_ = CarriedCommit::kAwaited;
    return true;
}

bool PostgresConnection::ReadAhead() {
    const PqResult answer = NextResult();
    const bool done = PQresultStatus(answer.get()) == PGRES_COMMAND_OK;
    if (!done) {
        NoteFailure(answer.get());
    }
    const PqResult end = NextResult();
    if (!done) {
        EndPipeline();
    }
    return done;
}

bool PostgresConnection::FailSending() {
    if (connection_ == nullptr) {
        // Given up earlier: the reason noted then stays the one to tell.
        return false;
    }
    NoteFailure(EngineMessage(PQerrorMessage(connection_)));
    if (PQpipelineStatus(connection_) != PQ_PIPELINE_OFF) {
        PQpipelineSync(connection_);
        EndPipeline();
    }
    return false;
}

void PostgresConnection::EndPipeline() {
    // Called once the statement's own results are read, or once a refusal ahead of it made the
    // server skip the rest: while a commit sent behind it is awaited, the next answer is the
    // commit's. Two ends in a row mean nothing more is due; a broken connection has nothing more
    // to give.
    bool ended = false;
    while (!Lost()) {
        const PqResult result = NextResult();
        if (!result) {
            if (ended) {
                break;
            }
            ended = true;
            continue;
        }
        ended = false;
        if (PQresultStatus(result.get()) == PGRES_PIPELINE_SYNC) {
            break;
        }
        if (carriedCommit_ == CarriedCommit::kAwaited) {
            NoteCarriedCommit(result.get());
        }
    }
    if (carriedCommit_ == CarriedCommit::kAwaited) {
        carriedCommit_ = CarriedCommit::kRolledBack;
        if (connection_ != nullptr) {
            NoteFailure(EngineMessage(PQerrorMessage(connection_)));
        }
    }
    PQexitPipelineMode(connection_);
}

void PostgresConnection::NoteCarriedCommit(const PGresult* result) {
    switch (PQresultStatus(result)) {
        case PGRES_COMMAND_OK:
            carriedCommit_ = CarriedCommit::kCommitted;
            break;
        case PGRES_PIPELINE_ABORTED:
            carriedCommit_ = CarriedCommit::kSkipped;
            break;
        default:
            // A commit the server refuses rolls the transaction back.
            carriedCommit_ = CarriedCommit::kRolledBack;
            NoteFailure(result);
            break;
    }
}

bool PostgresConnection::EndTransaction(TransactionEnd end) {
    commitWaits_ = false;
    if (beginWaits_) {
        beginWaits_ = false;
        return true;
    }
    // A last statement still streaming reads its rest, and with it its commit's answer. What the
    // carried commit left stays until the next begin: a rollback after a refused commit has
    // nothing left to end.
    MakeReady(nullptr);
    switch (carriedCommit_) {
        case CarriedCommit::kNone:
        case CarriedCommit::kAwaited:
            // The server answers the commit of a transaction a failed statement aborted with a
            // rollback, not an error: it must not pass for kept.
            if (end == TransactionEnd::kCommit && connection_ != nullptr &&
                PQtransactionStatus(connection_) == PQTRANS_INERROR) {
                Run("rollback");
                NoteFailure("the transaction was aborted by an earlier failure and rolled back");
                return false;
            }
            return Run(end == TransactionEnd::kCommit ? "commit" : "rollback");
        case CarriedCommit::kCommitted:
            return true;
        case CarriedCommit::kSkipped:
            // The statement failed, so its commit never ran: the transaction waits for its
            // rollback.
            carriedCommit_ = CarriedCommit::kRolledBack;
            return Run("rollback") && end == TransactionEnd::kRollback;
        case CarriedCommit::kRolledBack:
            return end == TransactionEnd::kRollback;
    }
    return false;
}

void PostgresConnection::ClearFailure() {
    lastError_.clear();
    refusal_ = SchemaRefusal::None;
    refusedSubject_.clear();
}

void PostgresConnection::NoteFailure(const PGresult* result) {
    if (result == nullptr && connection_ == nullptr) {
        // No answer came: the connection was given up, for the reason noted then.
        return;
    }
    std::string message = Field(result, PG_DIAG_MESSAGE_PRIMARY);
    if (message.empty() && connection_ != nullptr) {
        message = EngineMessage(PQerrorMessage(connection_));
    }
    lastError_ = message;
    const std::string sqlState = Field(result, PG_DIAG_SQLSTATE);
    // The column types themselves refuse a text where a number or a date belongs, where SQLite
    // needs the checks of those names: the user reads the same reason on both engines.
    if (const char* typeRule = TypeRuleOf(sqlState)) {
        refusal_ = SchemaRefusal::Check;
        refusedSubject_ = typeRule;
        return;
    }
    refusal_ = RefusalOf(sqlState);
    const ColumnCatalogue& catalogue = ColumnCatalogue::OfSchema();
    const std::string table = catalogue.Spelling(Field(result, PG_DIAG_TABLE_NAME));
    switch (refusal_) {
        case SchemaRefusal::Check:
            refusedSubject_ = Field(result, PG_DIAG_CONSTRAINT_NAME);
            break;
        case SchemaRefusal::NotNull:
            refusedSubject_ = table + "." + catalogue.Spelling(Field(result, PG_DIAG_COLUMN_NAME));
            break;
        case SchemaRefusal::Unique:
        case SchemaRefusal::ForeignKey:
        case SchemaRefusal::Denied:
            refusedSubject_ = table;
            break;
        case SchemaRefusal::None:
            refusedSubject_.clear();
            break;
    }
}

void PostgresConnection::NoteFailure(std::string message) {
    ClearFailure();
    lastError_ = std::move(message);
}

bool PostgresConnection::Run(const std::string& sql) {
    MakeReady(nullptr);
    if (beginWaits_) {
        beginWaits_ = false;
        if (!Run("begin")) {
            return false;
        }
    }
    if (connection_ == nullptr) {
        return false;
    }
    ClearFailure();
    const PqResult result = AnswerTo(PQsendQuery(connection_, sql.c_str()) == 1);
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        NoteFailure(result.get());
        return false;
    }
    return true;
}

bool PostgresConnection::RunAside(const char* command) {
    if (connection_ == nullptr) {
        return false;
    }
    const PqResult result = AnswerTo(SendCommand(command));
    const bool done = PQresultStatus(result.get()) == PGRES_COMMAND_OK;
    if (!done && result && lastError_.empty()) {
        NoteFailure(result.get());
    }
    return done;
}

bool PostgresConnection::SendAside(const std::string& sql) {
    if (connection_ == nullptr || !SendCommand(sql.c_str())) {
        return FailSending();
    }
    PQsetSingleRowMode(connection_);
    return true;
}

bool PostgresConnection::InTransaction() const {
    return beginWaits_ ||
           (connection_ != nullptr && PQtransactionStatus(connection_) != PQTRANS_IDLE);
}

PostgresConnection::Sending PostgresConnection::HowToSend(const std::string& sql) {
    auto found = prepared_.find(sql);
    if (found == prepared_.end()) {
        if (prepared_.size() < kMostPrepared) {
            prepared_.emplace(sql, Prepared{1, {}});
        }
        return {};
    }
    Prepared& prepared = found->second;
    if (!prepared.name.empty()) {
        return {&prepared.name, false};
    }
    if (++prepared.uses < 2) {
        return {};
    }
    prepared.name = "w" + std::to_string(++preparedNames_);
    return {&prepared.name, true};
}

void PostgresConnection::ForgetName(const std::string& sql) {
    prepared_.at(sql).name.clear();
}

}  // namespace zel
