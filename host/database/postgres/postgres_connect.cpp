#include "host/database/postgres/postgres_connect.h"

#include <memory>
#include <span>
#include <vector>

#include "host/database/hidden_passwords.h"
#include "host/database/postgres/postgres_answer_wait.h"
#include "host/database/postgres/pq_result.h"

namespace zel {
namespace {

struct Setting {
    const char* key;
    const char* value;
};

// A vanished server is noticed after 10 s of silence and three probes 5 s apart, or when data
// sent stays unacknowledged for 30 s.
constexpr Setting kDefaults[] = {
    {"connect_timeout", "5"},     {"keepalives", "1"},       {"keepalives_idle", "10"},
    {"keepalives_interval", "5"}, {"keepalives_count", "3"}, {"tcp_user_timeout", "30000"},
};

// A statement's time runs on while the server waits for the client to read its rows, and the
// window reads a refresh to its end while it fills the grid: on the test server a refresh of
// 100,000 rows took 7 s in a debug build (bench_postgres_service), so a million about 70 s,
// while the server alone sends a million rows in 1.5 s. Five minutes leave that a wide margin and
// still end a statement the server cannot finish.
constexpr const char* kStatementLimit = "5min";

// A window reads its lists as the server sends them, in the order it asks for. A parallel plan
// has its workers' rows gathered and merged, so an ordered list waits for every worker to sort its
// share before the first row comes, while a single process walks the index in that order and
// sends rows at once; and on a server shared by many clients the workers only take cores from the
// others. On the test server a refresh of 100,000 rows spent half its time in the workers' sort
// and showed its first rows only after it (bench_main_window_refresh).
constexpr const char* kParallelWorkers = "0";

// The server compiles the plan of a query it costs high (JIT), as it does a list of a million
// rows, before it sends the first row: on the test server the due list's cursor took 126 ms to
// open against 51 ms without, a wait before the first rows that a window's read never wins back.
constexpr const char* kCompiledPlans = "off";

// What the session gets where the connection's options set none of its own.
constexpr Setting kSessionDefaults[] = {
    {"statement_timeout", kStatementLimit},
};
// And a window's. A report reads each list once to its end and keeps the server's own choices:
// its sort of a million rows in two workers took two thirds of the time of one.
constexpr Setting kBrowsingSessionDefaults[] = {
    {"max_parallel_workers_per_gather", kParallelWorkers},
    {"jit", kCompiledPlans},
};

struct OptionsFree {
    void operator()(PQconninfoOption* options) const { PQconninfoFree(options); }
};
using Options = std::unique_ptr<PQconninfoOption, OptionsFree>;

std::string ValueOf(const PQconninfoOption* options, std::string_view key) {
    for (const PQconninfoOption* option = options; option != nullptr && option->keyword != nullptr;
         ++option) {
        if (key == option->keyword) {
            return option->val != nullptr ? option->val : "";
        }
    }
    return {};
}

Options Parse(const std::string& conninfo, std::string& error) {
    char* message = nullptr;
    Options options(PQconninfoParse(conninfo.c_str(), &message));
    if (!options) {
        error = EngineMessage(message);
        PQfreemem(message);
    }
    return options;
}

PGconn* ConnectWithDefaults(const PQconninfoOption* options) {
    std::vector<const char*> keys;
    std::vector<const char*> values;
    for (const PQconninfoOption* option = options; option->keyword != nullptr; ++option) {
        if (option->val != nullptr) {
            keys.push_back(option->keyword);
            values.push_back(option->val);
        }
    }
    for (const Setting& setting : kDefaults) {
        if (ValueOf(options, setting.key).empty()) {
            keys.push_back(setting.key);
            values.push_back(setting.value);
        }
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    return PQconnectdbParams(keys.data(), values.data(), 0);
}

long long NumberOf(const std::string& text) {
    try {
        return std::stoll(text);
    } catch (const std::exception&) {
        return 0;
    }
}

// The session defaults are set after connecting, where the options the connection ended up with
// (the entry's, or its service file's) set none: an options= given here would replace the
// service file's, and with them a search_path the account may depend on.
std::string SetupSql(PGconn* connection, std::string_view sessionSetup, ReadingPattern reading) {
    const Options effective(PQconninfo(connection));
    const std::string options = ValueOf(effective.get(), "options");
    std::string sql(sessionSetup);
    const auto setUnlessOwn = [&](std::span<const Setting> settings) {
        for (const Setting& setting : settings) {
            if (options.find(setting.key) == std::string::npos) {
                sql += std::string("set ") + setting.key + " = '" + setting.value + "';";
            }
        }
    };
    setUnlessOwn(kSessionDefaults);
    if (reading == ReadingPattern::kBrowsing) {
        setUnlessOwn(kBrowsingSessionDefaults);
    }
    return sql + "select setting from pg_settings where name = 'statement_timeout'";
}

// Runs the session's setup and reads the statement limit it ends with, waiting no longer than
// connecting may take.
bool SetUp(PGconn* connection, std::string_view sessionSetup, ReadingPattern reading,
           PostgresLimits& limits, std::string& error) {
    if (PQsendQuery(connection, SetupSql(connection, sessionSetup, reading).c_str()) == 0) {
        error = EngineMessage(PQerrorMessage(connection));
        return false;
    }
    bool read = false;
    while (true) {
        if (!AwaitAnswer(connection, limits.connect)) {
            error = "timed out after " + std::to_string(limits.connect.count() / 1000) +
                    " s waiting for the server";
            return false;
        }
        const PqResult result(PQgetResult(connection));
        if (!result) {
            break;
        }
        const ExecStatusType status = PQresultStatus(result.get());
        if (status == PGRES_TUPLES_OK && PQntuples(result.get()) == 1) {
            limits.statement = std::chrono::milliseconds(NumberOf(PQgetvalue(result.get(), 0, 0)));
            read = true;
        } else if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
            error = EngineMessage(PQresultErrorMessage(result.get()));
            read = false;
        }
    }
    if (!read && error.empty()) {
        error = EngineMessage(PQerrorMessage(connection));
    }
    return read;
}

}  // namespace

std::string EngineMessage(const char* message) {
    if (message == nullptr) {
        return "out of memory";
    }
    std::string text(message);
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    return HiddenPasswords(text);
}

PostgresConnect ConnectWithinLimits(const std::string& conninfo, std::string_view sessionSetup,
                                    ReadingPattern reading) {
    PostgresConnect made;
    const Options options = Parse(conninfo, made.error);
    if (!options) {
        return made;
    }
    PGconn* connection = ConnectWithDefaults(options.get());
    if (connection == nullptr || PQstatus(connection) != CONNECTION_OK) {
        made.error =
            connection != nullptr ? EngineMessage(PQerrorMessage(connection)) : "out of memory";
        PQfinish(connection);
        return made;
    }
    const Options effective(PQconninfo(connection));
    made.limits.connect =
        std::chrono::seconds(NumberOf(ValueOf(effective.get(), "connect_timeout")));
    if (!SetUp(connection, sessionSetup, reading, made.limits, made.error)) {
        PQfinish(connection);
        return made;
    }
    made.connection = connection;
    return made;
}

std::string AccountNameOf(const std::string& conninfo) {
    std::string ignored;
    const Options options = Parse(conninfo, ignored);
    for (const char* key : {"service", "dbname"}) {
        std::string value = options ? ValueOf(options.get(), key) : std::string();
        if (!value.empty()) {
            return value;
        }
    }
    // Named by nothing but where it is: the text itself says it best.
    return HiddenPasswords(conninfo);
}

}  // namespace zel
