#include "host/database/postgres/postgres_session_locks.h"

#include "host/database/postgres/postgres_connection.h"
#include "host/database/postgres/postgres_statement.h"
#include "host/objects/host_text.h"

namespace zel {
namespace {

// Runs a statement of the lock connection: its first value, empty when it gives no row, nullopt
// when it fails.
std::optional<std::string> Run(const std::shared_ptr<PostgresConnection>& connection,
                               const std::string& sql, const std::vector<std::string>& values) {
    PostgresStatement statement(connection, sql, static_cast<int>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i) {
        statement.BindText(static_cast<int>(i) + 1, values[i]);
    }
    std::optional<std::string> first;
    StepResult step;
    while ((step = statement.Step()) == StepResult::Row) {
        if (!first && statement.ColumnCount() > 0) {
            first = std::string(statement.ColumnText(0));
        }
    }
    if (step == StepResult::Error) {
        return std::nullopt;
    }
    return first.value_or("");
}

}  // namespace

PostgresSessionLocks::~PostgresSessionLocks() {
    while (!held_.empty()) {
        Release(held_.begin()->second);
    }
}

long long PostgresSessionLocks::KeyOf(const std::string& name) {
    // FNV-1a over the folded name: the same key in every client, whatever its language.
    unsigned long long hash = 14695981039346656037ULL;
    for (const char c : AsciiLower(name)) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    }
    return static_cast<long long>(hash);
}

bool PostgresSessionLocks::RecordHolder(const std::string& name, const std::string& holder) {
    return Run(connection_,
               "insert into whinv_session_lock (cName, cHolder, iBackendPid) "
               "values ($1, $2, pg_backend_pid()) on conflict (cName) do update "
               "set cHolder = excluded.cHolder, iBackendPid = excluded.iBackendPid, "
               "cLogin = excluded.cLogin",
               {name, holder})
        .has_value();
}

bool PostgresSessionLocks::TakeAdvisoryLock(const std::string& name, std::string& currentHolder) {
    const auto taken =
        Run(connection_, "select pg_try_advisory_lock($1::bigint)", {std::to_string(KeyOf(name))});
    if (taken && *taken == "t") {
        return true;
    }
    currentHolder =
        Run(connection_, "select cHolder from whinv_session_lock where cName = $1", {name})
            .value_or("");
    return false;
}

bool PostgresSessionLocks::EndOwnEarlierSession(const std::string& name,
                                                const std::string& holder) {
    // The server ends the session within the wait, and its advisory locks with it.
    const auto ended = Run(connection_,
                           "select pg_terminate_backend(iBackendPid, 5000) from whinv_session_lock "
                           "where cName = $1 and cHolder = $2 and cLogin = current_user "
                           "and iBackendPid <> pg_backend_pid()",
                           {name, holder});
    return ended && *ended == "t";
}

bool PostgresSessionLocks::TryAcquire(const std::string& name, const std::string& holder,
                                      std::string& currentHolder) {
    currentHolder.clear();
    if (!connection_) {
        return false;
    }
    if (!held_.contains(AsciiLower(name))) {
        // A holder named as we are is this program's own earlier session, which the server still
        // keeps after the program lost it (a network cut rather than a server restart).
        if (!TakeAdvisoryLock(name, currentHolder) &&
            (currentHolder != holder || !EndOwnEarlierSession(name, holder) ||
             !TakeAdvisoryLock(name, currentHolder))) {
            return false;
        }
        currentHolder.clear();
        held_.emplace(AsciiLower(name), name);
    }
    // The lock is ours even when its holder cannot be written down: only a refused user's
    // message would miss the name.
    RecordHolder(name, holder);
    return true;
}

void PostgresSessionLocks::Release(const std::string& name) {
    const auto held = held_.find(AsciiLower(name));
    if (held == held_.end() || !connection_) {
        return;
    }
    Run(connection_,
        "delete from whinv_session_lock where cName = $1 and iBackendPid = pg_backend_pid()",
        {name});
    Run(connection_, "select pg_advisory_unlock($1::bigint)", {std::to_string(KeyOf(name))});
    held_.erase(held);
}

}  // namespace zel
