// Multi-record modify on a demo account of 100,000 items: the set update of 100,000 matching rows
// beside the bare UPDATE of the same rows, and a key change row by row over 10,000 rows beside
// bare per-row updates with a prepared statement. The bare side runs on a connection set up as
// the host's (write-ahead log, synchronous NORMAL, references checked), one commit per statement
// as the window's.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QTemporaryDir>
#include <QWidget>
#include <string>
#include <vector>

#include "mulmodify/modifiable_field.h"
#include "mulmodify/modify_by_row.h"
#include "mulmodify/modify_queries.h"
#include "mulmodify/set_update.h"
#include "support/bare_connection.h"
#include "support/demo_account.h"
#include "support/demo_main_window.h"
#include "support/qt_benchmarks.h"

namespace {

using bench::Fail;

constexpr std::int64_t kSetRows = 100'000;
constexpr std::int64_t kKeyRows = 10'000;

// Set up as the host's connection: one commit per statement costs the same on both sides.
const char* const kHostSettings =
    "pragma journal_mode=wal; pragma synchronous=normal; pragma foreign_keys=on; "
    "pragma cache_size=-65536";

class Connection : public bench::BareConnection {
public:
    explicit Connection(const std::string& path) : BareConnection(path, kHostSettings) {}
};

// Warehouse SET holds a row for every item, warehouse KEY one for the first 10,000.
struct Account {
    Account() {
        path = dir.path().toStdString() + "/bench.db";
        bench::BuildDemoAccount(path, 1000, kSetRows, 2);
        Connection connection(path);
        connection.Execute(
            "insert into Warehouse (cWhCode, cWhName) values ('SET', 'set'), ('KEY', 'key'), "
            "('KEY2', 'key2');"
            "insert into WhInvContrapose (cWhCode, cInvCode) select 'SET', cInvCode from "
            "Inventory;"
            "insert into WhInvContrapose (cWhCode, cInvCode) select 'KEY', cInvCode from "
            "Inventory order by cInvCode limit " +
            std::to_string(kKeyRows));
        if (connection.Count("select count(*) from WhInvContrapose where cWhCode='SET'") !=
            kSetRows) {
            Fail("the demo account holds too few items");
        }
        keyCodes = connection.Texts("select cInvCode from WhInvContrapose where cWhCode='KEY'");
    }
    QTemporaryDir dir;
    std::string path;
    std::vector<std::string> keyCodes;
};

Account& TheAccount() {
    static Account account;
    return account;
}

// The rights of the demo user stand as they are; the rows are the user's own.
struct Engine {
    explicit Engine(const std::string& path) : demo(path) {}
    bench::DemoMainWindow demo;
    QWidget window;
    bool modified = false;
    korvel::ModifyScope scope{demo.Context(), window, modified};
};

void ExpectRows(Connection& connection, const std::string& condition, std::int64_t rows) {
    const std::int64_t found =
        connection.Count("select count(*) from WhInvContrapose where " + condition);
    if (found != rows) {
        Fail(condition + ": " + std::to_string(found) + " rows");
    }
}

void BM_SetUpdate(benchmark::State& state) {
    Account& account = TheAccount();
    Engine engine(account.path);
    Connection check(account.path);
    const auto field = *korvel::FindModifiableField("iWastage");
    const std::string tail = korvel::ModifyQueries::MatchingTail("(whinvcontrapose.cWhCode='SET')",
                                                                 engine.demo.Context().login);
    int value = 0;
    for (auto _ : state) {
        const std::string text = std::to_string(++value);
        korvel::RunSetUpdate(engine.scope, field, "whinvcontrapose.iWastage", text, tail);
        state.PauseTiming();
        ExpectRows(check, "cWhCode='SET' and iWastage=" + text, kSetRows);
        state.ResumeTiming();
    }
    state.counters["rows_per_s"] = benchmark::Counter(
        static_cast<double>(kSetRows * state.iterations()), benchmark::Counter::kIsRate);
}

void BM_SetUpdateBare(benchmark::State& state) {
    Connection connection(TheAccount().path);
    sqlite3_stmt* update = nullptr;
    sqlite3_prepare_v2(connection.Handle(),
                       "update WhInvContrapose set iWastage=?1 where cWhCode='SET'", -1, &update,
                       nullptr);
    int value = 1000;
    for (auto _ : state) {
        sqlite3_bind_int(update, 1, ++value);
        if (sqlite3_step(update) != SQLITE_DONE) {
            Fail(sqlite3_errmsg(connection.Handle()));
        }
        sqlite3_reset(update);
    }
    sqlite3_finalize(update);
    state.counters["rows_per_s"] = benchmark::Counter(
        static_cast<double>(kSetRows * state.iterations()), benchmark::Counter::kIsRate);
}

void BM_KeyChangeByRow(benchmark::State& state) {
    Account& account = TheAccount();
    Engine engine(account.path);
    Connection connection(account.path);
    const auto field = *korvel::FindModifiableField("CWhCode");
    for (auto _ : state) {
        state.PauseTiming();
        connection.Execute("update WhInvContrapose set cWhCode='KEY' where cWhCode='KEY2'");
        const auto rows =
            engine.demo.Context().login.db->OpenX(korvel::ModifyQueries::MatchingQuery(
                "(whinvcontrapose.cWhCode='KEY')", engine.demo.Context().login));
        if (!rows || rows->RecordCount() != kKeyRows) {
            Fail("the matching query found the wrong rows");
        }
        state.ResumeTiming();
        korvel::ModifyByRow(engine.scope, *rows, "仓库编码", field, "CWhCode", "KEY2");
        state.PauseTiming();
        ExpectRows(connection, "cWhCode='KEY2'", kKeyRows);
        state.ResumeTiming();
    }
    state.counters["rows_per_s"] = benchmark::Counter(
        static_cast<double>(kKeyRows * state.iterations()), benchmark::Counter::kIsRate);
}

void BM_KeyChangeBare(benchmark::State& state) {
    Account& account = TheAccount();
    Connection connection(account.path);
    sqlite3_stmt* update = nullptr;
    sqlite3_prepare_v2(connection.Handle(),
                       "update WhInvContrapose set cWhCode=?1 where cWhCode=?2 and cInvCode=?3", -1,
                       &update, nullptr);
    for (auto _ : state) {
        state.PauseTiming();
        connection.Execute("update WhInvContrapose set cWhCode='KEY' where cWhCode='KEY2'");
        state.ResumeTiming();
        for (const std::string& code : account.keyCodes) {
            sqlite3_bind_text(update, 1, "KEY2", -1, SQLITE_STATIC);
            sqlite3_bind_text(update, 2, "KEY", -1, SQLITE_STATIC);
            sqlite3_bind_text(update, 3, code.c_str(), -1, SQLITE_STATIC);
            if (sqlite3_step(update) != SQLITE_DONE || sqlite3_changes(connection.Handle()) != 1) {
                Fail(sqlite3_errmsg(connection.Handle()));
            }
            sqlite3_reset(update);
        }
    }
    sqlite3_finalize(update);
    state.counters["rows_per_s"] = benchmark::Counter(
        static_cast<double>(kKeyRows * state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_SetUpdate)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SetUpdateBare)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_KeyChangeByRow)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_KeyChangeBare)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    bench::QtBenchmarks benchmarks(argc, argv);
    return benchmarks.Run();
}
