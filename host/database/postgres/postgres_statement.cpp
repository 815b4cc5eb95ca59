#include "host/database/postgres/postgres_statement.h"

#include <charconv>

#include "host/database/postgres/postgres_connection.h"
#include "host/objects/host_text.h"

namespace zel {
namespace {

// Type numbers of the server's built-in types (pg_type.oid), fixed across versions.
constexpr Oid kBool = 16;
constexpr Oid kInt8 = 20;
constexpr Oid kInt2 = 21;
constexpr Oid kInt4 = 23;
constexpr Oid kOid = 26;
constexpr Oid kFloat4 = 700;
constexpr Oid kFloat8 = 701;
constexpr Oid kDate = 1082;
constexpr Oid kTimestamp = 1114;
constexpr Oid kNumeric = 1700;

// Rows a dropped statement reads on before it asks the server to stop sending the rest.
constexpr int kRowsReadBeforeCancel = 1000;

// The connection's one cursor: a statement streaming through it is read to its end, and the
// cursor closed, before any other statement is sent.
constexpr const char* kCursor = "whinv_forward";
// Rows a fetch asks for. The server gathers a fetch's rows before it sends the first, so a fetch of
// all of them would wait for the whole list again; the next is sent once these are read. The
// first is a window's first screens, which then show at once; the rest take fewer round trips.
constexpr int kFirstFetchRows = 100;
constexpr int kFetchRows = 1000;

std::int64_t IntegerOf(std::string_view text) {
    std::int64_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

double RealOf(std::string_view text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// A numeric with no fraction ("100.000000") reads as a whole number, as SQLite gives a decimal
// column's whole values, so that both engines hand a caller the same kind of value.
bool IsWholeNumeric(std::string_view text) {
    const auto point = text.find('.');
    if (point == std::string_view::npos) {
        return text.size() < 19;
    }
    return point < 19 && text.find_first_not_of('0', point + 1) == std::string_view::npos;
}

// The declaration a value of this type would carry on SQLite, for a column the schema does not
// describe (an expression).
std::string DeclarationOf(Oid type, int modifier) {
    switch (type) {
        case kInt2:
        case kInt4:
        case kInt8:
            return "integer";
        case kNumeric:
            if (modifier >= 4) {
                const int packed = modifier - 4;
                return "decimal(" + std::to_string(packed >> 16) + "," +
                       std::to_string(packed & 0xffff) + ")";
            }
            return "decimal";
        case kFloat4:
        case kFloat8:
            return "real";
        case kDate:
            return "date";
        case kTimestamp:
            return "datetime";
        default:
            return "";
    }
}

}  // namespace

PostgresStatement::PostgresStatement(std::shared_ptr<PostgresConnection> connection,
                                     std::string sql, int parameters)
    : connection_(std::move(connection)),
      sql_(std::move(sql)),
      values_(static_cast<std::size_t>(parameters)) {}

void PostgresStatement::PlanForFirstRows() {
    firstRows_ = connection_->Reading() == ReadingPattern::kBrowsing;
}

PostgresStatement::~PostgresStatement() {
    Discard();
}

bool PostgresStatement::BindNull(int index) {
    if (index < 1 || static_cast<std::size_t>(index) > values_.size()) {
        return false;
    }
    values_[static_cast<std::size_t>(index) - 1].reset();
    return true;
}

bool PostgresStatement::BindText(int index, std::string_view value) {
    if (index < 1 || static_cast<std::size_t>(index) > values_.size()) {
        return false;
    }
    values_[static_cast<std::size_t>(index) - 1] = std::string(value);
    return true;
}

bool PostgresStatement::BindInteger(int index, std::int64_t value) {
    return BindText(index, std::to_string(value));
}

bool PostgresStatement::BindReal(int index, double value) {
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    return BindText(index, std::string_view(text, static_cast<std::size_t>(written.ptr - text)));
}

bool PostgresStatement::Send() {
    connection_->MakeReady(this);
    connection_->ClearFailure();
    std::vector<const char*> values;
    values.reserve(values_.size());
    for (const auto& value : values_) {
        values.push_back(value ? value->c_str() : nullptr);
    }
    // A statement that carries its transaction's commit would close the cursor with it.
    if (firstRows_ && !connection_->CommitWaits()) {
        return SendThroughCursor(values);
    }
    if (!connection_->Send(sql_, values)) {
        return false;
    }
    sent_ = true;
    streaming_ = true;
    connection_->StartStreaming(this);
    return true;
}

// The server plans a statement for its whole result: a list in the order of an index, most of
// whose rows are asked for, is read and sorted whole before its first row is sent (a million
// correspondence rows, three quarters of them due: 9 s on the test server), since that is less
// work in all than walking the index. A cursor is planned for its first rows: they come at once,
// and the rest as they are read. A cursor lives in a transaction: outside the caller's, one of its
// own is opened for it and ended with the rows.
bool PostgresStatement::SendThroughCursor(const std::vector<const char*>& values) {
    // The rows a fetch sends name no table: the columns' origins are taken from the query.
    if (!shape_) {
        Describe();
        if (!shape_) {
            return false;
        }
    }
    ownTransaction_ = !connection_->InTransaction();
    if (ownTransaction_ && !connection_->RunAside("begin")) {
        return false;
    }
    const bool sent = connection_->Send(
        std::string("declare ") + kCursor + " no scroll cursor for " + sql_, values);
    PqResult declared;
    while (sent) {
        PqResult next = connection_->NextResult();
        if (!next) {
            break;
        }
        declared = std::move(next);
    }
    if (sent) {
        connection_->StopStreaming(this);
    }
    if (sent && PQresultStatus(declared.get()) == PGRES_COMMAND_OK) {
        cursorOpen_ = true;
        stopFetching_ = false;
        if (SendFetch(kFirstFetchRows)) {
            sent_ = true;
            streaming_ = true;
            connection_->StartStreaming(this);
            return true;
        }
        EndCursor();
        return false;
    }
    if (declared) {
        connection_->NoteFailure(declared.get());
    }
    if (ownTransaction_) {
        connection_->RunAside("rollback");
    }
    return false;
}

bool PostgresStatement::SendFetch(int rows) {
    fetched_ = 0;
    fetching_ = rows;
    return connection_->SendAside("fetch " + std::to_string(rows) + " from " + kCursor);
}

// The connection's next result; through a cursor, a full fetch is followed by the next one.
PqResult PostgresStatement::Pull() {
    PqResult next = connection_->NextResult();
    if (!cursorOpen_ || !next) {
        return next;
    }
    const ExecStatusType status = PQresultStatus(next.get());
    if (status == PGRES_SINGLE_TUPLE) {
        ++fetched_;
    } else if (status == PGRES_TUPLES_OK && fetched_ == fetching_ && !stopFetching_) {
        // The fetch's results end with a null of their own before the next can be sent.
        if (connection_->NextResult() != nullptr || !SendFetch(kFetchRows)) {
            connection_->NoteFailure("the rows could not be fetched further");
            return nullptr;
        }
        return Pull();
    }
    return next;
}

void PostgresStatement::EndCursor() {
    if (!cursorOpen_) {
        return;
    }
    cursorOpen_ = false;
    PGconn* handle = connection_->Handle();
    if (handle == nullptr) {
        return;
    }
    // A fetch that failed or was cancelled left the transaction aborted.
    const bool aborted = PQtransactionStatus(handle) == PQTRANS_INERROR;
    if (ownTransaction_) {
        connection_->RunAside(aborted ? "rollback" : "commit");
    } else if (!aborted) {
        connection_->RunAside((std::string("close ") + kCursor).c_str());
    }
}

void PostgresStatement::StopStreaming() {
    streaming_ = false;
    connection_->StopStreaming(this);
    EndCursor();
}

PqResult PostgresStatement::NextResult() {
    if (!taken_.empty()) {
        PqResult next = std::move(taken_.front());
        taken_.pop_front();
        return next;
    }
    if (!streaming_) {
        return nullptr;
    }
    PqResult next = Pull();
    if (!next) {
        StopStreaming();
    }
    return next;
}

void PostgresStatement::TakeRest() {
    while (streaming_) {
        PqResult next = Pull();
        if (!next) {
            StopStreaming();
        } else {
            taken_.push_back(std::move(next));
        }
    }
}

StepResult PostgresStatement::Step() {
    if (!sent_ && !Send()) {
        return StepResult::Error;
    }
    row_.reset();
    PqResult next = NextResult();
    if (!next) {
        // Results end with the one that says how the statement ended; when they stop before it,
        // the connection was lost.
        return end_;
    }
    if (PQresultStatus(next.get()) == PGRES_SINGLE_TUPLE) {
        KeepShape(next.get());
        row_ = std::move(next);
        return StepResult::Row;
    }
    return Finish(std::move(next));
}

// The last result of a statement: the end of its rows, the rows it changed, or its failure. The
// connection is read to its end, so that the next statement can be sent.
StepResult PostgresStatement::Finish(PqResult last) {
    const ExecStatusType status = PQresultStatus(last.get());
    const bool done = status == PGRES_TUPLES_OK || status == PGRES_COMMAND_OK;
    if (status == PGRES_TUPLES_OK) {
        KeepShape(last.get());
    } else if (status == PGRES_COMMAND_OK) {
        connection_->NoteChanges(IntegerOf(PQcmdTuples(last.get())));
    } else {
        connection_->NoteFailure(last.get());
    }
    while (NextResult()) {
    }
    end_ = done ? StepResult::Done : StepResult::Error;
    return end_;
}

void PostgresStatement::Discard() {
    row_.reset();
    taken_.clear();
    if (streaming_) {
        // A look-up left after its first row has only its end to come. Rows of a big result
        // nobody will read are not worth waiting for, but a cancel costs a connection of its
        // own: it is sent only when many rows are still coming.
        int left = kRowsReadBeforeCancel;
        // Through a cursor only the fetch under way is left to read.
        stopFetching_ = true;
        while (PqResult result = Pull()) {
            if (--left == 0) {
                connection_->CancelStatement();
            }
        }
        StopStreaming();
    }
}

void PostgresStatement::Reset() {
    Discard();
    sent_ = false;
    end_ = StepResult::Error;
    for (auto& value : values_) {
        value.reset();
    }
}

void PostgresStatement::KeepShape(const PGresult* result) const {
    if (shape_) {
        return;
    }
    shape_.reset(PQcopyResult(result, PG_COPYRES_ATTRS));
    kinds_.clear();
    for (int column = 0; column < PQnfields(result); ++column) {
        switch (PQftype(result, column)) {
            case kBool:
            case kInt2:
            case kInt4:
            case kInt8:
            case kOid:
                kinds_.push_back(Kind::Integer);
                break;
            case kNumeric:
                kinds_.push_back(Kind::Numeric);
                break;
            case kFloat4:
            case kFloat8:
                kinds_.push_back(Kind::Real);
                break;
            default:
                kinds_.push_back(Kind::Text);
                break;
        }
    }
}

// A caller may ask for the columns before the first step: the server describes the statement
// without running it.
void PostgresStatement::Describe() const {
    connection_->MakeReady(this);
    const PqResult prepared =
        connection_->AnswerTo(PQsendPrepare(connection_->Handle(), "", sql_.c_str(),
                                            static_cast<int>(values_.size()), nullptr) == 1);
    if (PQresultStatus(prepared.get()) != PGRES_COMMAND_OK) {
        connection_->NoteFailure(prepared.get());
        return;
    }
    const PqResult described =
        connection_->AnswerTo(PQsendDescribePrepared(connection_->Handle(), "") == 1);
    if (PQresultStatus(described.get()) == PGRES_COMMAND_OK) {
        KeepShape(described.get());
    } else {
        connection_->NoteFailure(described.get());
    }
}

const PGresult* PostgresStatement::Shape() const {
    if (!shape_ && !sent_) {
        Describe();
    }
    return shape_.get();
}

int PostgresStatement::ColumnCount() const {
    const PGresult* shape = Shape();
    return shape != nullptr ? PQnfields(shape) : 0;
}

const ColumnCatalogue::Column* PostgresStatement::OriginOf(const PGresult* shape,
                                                           int column) const {
    return connection_->Origin(PQftable(shape, column), PQftablecol(shape, column));
}

std::string PostgresStatement::ColumnName(int column) const {
    const PGresult* shape = Shape();
    if (shape == nullptr) {
        return {};
    }
    const ColumnCatalogue::Column* origin = OriginOf(shape, column);
    const std::string name = PQfname(shape, column);
    // A column read under its own name comes back folded to lower case.
    if (origin != nullptr && name == AsciiLower(origin->name)) {
        return origin->name;
    }
    return name;
}

std::string PostgresStatement::DeclaredType(int column) const {
    const PGresult* shape = Shape();
    if (shape == nullptr) {
        return {};
    }
    const ColumnCatalogue::Column* origin = OriginOf(shape, column);
    return origin != nullptr ? origin->declared
                             : DeclarationOf(PQftype(shape, column), PQfmod(shape, column));
}

std::string PostgresStatement::OriginName(int column) const {
    const PGresult* shape = Shape();
    const ColumnCatalogue::Column* origin = shape != nullptr ? OriginOf(shape, column) : nullptr;
    return origin != nullptr ? origin->table + "." + origin->name : std::string();
}

SqlValueType PostgresStatement::ColumnType(int column) const {
    return Column(column).type;
}

std::int64_t PostgresStatement::ColumnInteger(int column) const {
    const SqlCell cell = Column(column);
    return cell.type == SqlValueType::Real   ? static_cast<std::int64_t>(cell.real)
           : cell.type == SqlValueType::Text ? IntegerOf(cell.text)
                                             : cell.integer;
}

double PostgresStatement::ColumnReal(int column) const {
    const SqlCell cell = Column(column);
    return cell.type == SqlValueType::Integer ? static_cast<double>(cell.integer)
           : cell.type == SqlValueType::Text  ? RealOf(cell.text)
                                              : cell.real;
}

std::string_view PostgresStatement::ColumnText(int column) const {
    if (!row_ || PQgetisnull(row_.get(), 0, column)) {
        return {};
    }
    return {PQgetvalue(row_.get(), 0, column),
            static_cast<std::size_t>(PQgetlength(row_.get(), 0, column))};
}

SqlCell PostgresStatement::Column(int column) const {
    if (!row_ || column < 0 || static_cast<std::size_t>(column) >= kinds_.size() ||
        PQgetisnull(row_.get(), 0, column)) {
        return {};
    }
    const std::string_view text = ColumnText(column);
    switch (kinds_[static_cast<std::size_t>(column)]) {
        case Kind::Integer:
            if (text == "t" || text == "f") {
                return {SqlValueType::Integer, text == "t" ? 1 : 0, 0, {}};
            }
            return {SqlValueType::Integer, IntegerOf(text), 0, {}};
        case Kind::Numeric:
            if (IsWholeNumeric(text)) {
                return {SqlValueType::Integer, IntegerOf(text.substr(0, text.find('.'))), 0, {}};
            }
            return {SqlValueType::Real, 0, RealOf(text), {}};
        case Kind::Real:
            return {SqlValueType::Real, 0, RealOf(text), {}};
        case Kind::Text:
            break;
    }
    return {SqlValueType::Text, 0, 0, text};
}

}  // namespace zel
