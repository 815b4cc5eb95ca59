#include "host/database/postgres/postgres_backend.h"

#include "host/database/postgres/postgres_connect.h"
#include "host/database/postgres/postgres_connection.h"
#include "host/database/postgres/postgres_count_connection.h"
#include "host/database/postgres/postgres_row_count.h"
#include "host/database/postgres/postgres_schema_upgrade.h"
#include "host/database/postgres/postgres_session_locks.h"
#include "host/database/postgres/postgres_statement.h"
#include "host/database/sql_tokenizer.h"
#include "host/database/tsql_adapter.h"

namespace zel {
namespace {

// "where a=? and b=?" → "where a=$1 and b=$2"; quoted texts and names are left alone.
std::string NumberedParameters(std::string_view sql, int& count) {
    count = 0;
    if (sql.find('?') == std::string_view::npos) {
        return std::string(sql);
    }
    auto tokens = SqlTokenizer::Tokenize(sql);
    for (auto& token : tokens) {
        if (token.IsSymbol("?")) {
            // Appended rather than joined: GCC 12 misreads "$" + a temporary as overlapping.
            token.text = "$";
            token.text += std::to_string(++count);
        }
    }
    return SqlTokenizer::Join(tokens);
}

}  // namespace

bool PostgresBackend::Connect(const std::string& conninfo) {
    connection_ = PostgresConnection::Open(conninfo, error_, reading_);
    if (connection_ == nullptr) {
        // The engine's reason names the server, never the account: say which one it was.
        error_ = AccountNameOf(conninfo) + ": " + error_;
    }
    return connection_ != nullptr;
}

bool PostgresBackend::Open(const std::string& conninfo) {
    schemaRefused_ = false;
    if (!Connect(conninfo)) {
        return false;
    }
    // The account tables carry their schema version; a database without them is not an account.
    const std::string account = AccountNameOf(conninfo);
    const auto version = Prepare("select version from whinv_schema");
    if (!version || version->Step() != StepResult::Row) {
        error_ = account + ": not an account database (" + LastError() + ")";
        connection_.reset();
        return false;
    }
    const auto number = static_cast<int>(version->ColumnInteger(0));
    version->Reset();
    if (!PostgresSchemaUpgrade::Run(*this, number, account, error_)) {
        schemaRefused_ = true;
        connection_.reset();
        return false;
    }
    return true;
}

bool PostgresBackend::IsOpen() const {
    return connection_ && !connection_->Lost();
}

std::string PostgresBackend::ToNative(std::string_view hostSql) const {
    return TsqlAdapter::ToPostgres(hostSql);
}

std::unique_ptr<SqlStatement> PostgresBackend::Prepare(std::string_view sql) {
    if (!connection_) {
        return nullptr;
    }
    int parameters = 0;
    std::string numbered = NumberedParameters(sql, parameters);
    return std::make_unique<PostgresStatement>(connection_, std::move(numbered), parameters);
}

bool PostgresBackend::ExecuteScript(std::string_view sql) {
    if (!connection_) {
        return false;
    }
    const bool ran = connection_->Run(std::string(sql));
    connection_->ReadOrigins();
    return ran;
}

bool PostgresBackend::OpenChangeStep(ChangeStepKind kind) {
    return ExecuteScript(kind == ChangeStepKind::kImport
                             ? "select set_config('whinv.change_step', 'import', false)"
                             : "select set_config('whinv.change_step', 'open', false)");
}

bool PostgresBackend::CloseChangeStep() {
    return ExecuteScript("select set_config('whinv.change_step', '', false)");
}

long PostgresBackend::Changes() const {
    return connection_ ? connection_->Changes() : 0;
}

std::string PostgresBackend::LastError() const {
    return connection_ ? connection_->LastError() : error_;
}

SchemaRefusal PostgresBackend::LastRefusal() const {
    return connection_ ? connection_->LastRefusal() : SchemaRefusal::None;
}

std::string PostgresBackend::RefusedSubject() const {
    return connection_ ? connection_->RefusedSubject() : std::string();
}

bool PostgresBackend::Begin() {
    if (!connection_) {
        return false;
    }
    connection_->BeginWithNextStatement();
    return true;
}

bool PostgresBackend::Commit() {
    return connection_ && connection_->EndTransaction(PostgresConnection::TransactionEnd::kCommit);
}

bool PostgresBackend::Rollback() {
    return connection_ &&
           connection_->EndTransaction(PostgresConnection::TransactionEnd::kRollback);
}

void PostgresBackend::CommitWithNextStatement() {
    if (connection_) {
        connection_->CommitWithNextStatement();
    }
}

std::unique_ptr<ISessionLocks> PostgresBackend::CreateSessionLocks() const {
    return std::make_unique<PostgresSessionLocks>(connection_);
}

std::shared_ptr<const RowCount> PostgresBackend::CountBeside(const std::string& nativeQuery) const {
    if (!connection_) {
        return nullptr;
    }
    if (!counting_) {
        counting_ = std::make_shared<PostgresCountConnection>(connection_->Conninfo());
    }
    return PostgresRowCount::Start(counting_, nativeQuery);
}

}  // namespace zel
