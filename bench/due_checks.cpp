// The due list over 1,000,000 correspondence rows, with 75% of them due (every row with a cycle)
// and with 2%: read through the database service, beside a bare loop over the same query (the
// due rows through the next-check index, the same columns under the same rights); and the wait
// for the window's first rows: the query opened and its first slice read, which is all the window
// needs to show them.
//
// On a SQLite file always; on the server too when WHINV_BENCH_POSTGRES is a libpq connection text
// of a user who may create databases and roles, as the account's owner and as a plain login bound
// by the row policies. The demo generator leaves a fifth of the rows never counted, which are due
// whatever the day: they are counted on the generator's last day first, so that a day can be
// found on which only 2% are due.
//
// The first slice (now a hundred rows, the window's first), bench preset, load average about 1,
// mean of 3 runs:
//                                     75% due (748,898)     2% due (20,151)
//   file                              0.75 ms               0.19 ms
//   server, owner                     21.5 ms               21.5 ms
//   server, plain login               16.8 ms               12.9 ms
// Read straight after the count of the never-counted rows, before a vacuum, the owner's first
// slice at 75% took 465 ms once (then 25 and 5): its read passed the 200,000 row versions the
// count had left dead at the head of the next-check index.
// Earlier, debug build, load average 4.4 then 1, 3 runs each:
//                                     75% due               2% due
//   bare libpq read, owner            6.1 s                 0.48 s
//   due list, owner                   20.0 s                0.92 s
//   due list, plain login             22.1 s                0.67 s
//   first slice (5,000 rows), owner   11.6 s -> 0.45 s      0.68 s -> 0.23 s
//   first slice, plain login          11.7 s -> 0.28 s      0.67 s -> 0.17 s
// The first slices before the arrow were read with the whole list planned at once (a sort of
// every due row before the first is sent), after it through a cursor planned for the first rows
// and fetched a thousand at a time. Since then the first fetch is a hundred rows and a window's
// session has no compiled plans (jit), which cost the cursor 75 ms before its first row.
#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <sqlite3.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "checkplan/due_checks.h"
#include "checkplan/frm_due_checks.h"
#include "host/database/tsql_adapter.h"
#include "host/objects/host_date.h"
#include "support/bare_connection.h"
#include "support/bench_server.h"
#include "support/demo_account.h"
#include "support/demo_main_window.h"
#include "support/qt_benchmarks.h"

namespace {

using bench::Fail;

constexpr std::int64_t kRows = 1'000'000;
constexpr std::int64_t kItems = 100'000;
constexpr int kWarehouses = 20;

constexpr const char* kCountTheNeverCounted =
    "update WhInvContrapose set dLastDate='2024-12-31' where dLastDate is null and "
    "dNextDate is not null";

// The day on which `percent` of the rows are due: every planned row for 75, which is all the
// demo generator plans; else the next check of the row at that place in the index.
std::string DayDue(int percent, zel::IClsCommon& db) {
    if (percent >= 75) {
        return "9999-12-31";
    }
    const auto rows = db.Openforward(
        "select dNextDate from WhInvContrapose where dNextDate is not null order by dNextDate");
    for (std::int64_t row = 1; rows && !rows->Eof() && row < kRows * percent / 100; ++row) {
        rows->MoveNext();
    }
    if (!rows || rows->Eof()) {
        Fail("no day on which " + std::to_string(percent) + "% are due");
    }
    return rows->Fields(0)->ToString();
}

std::string DueQuery(bench::DemoMainWindow& demo, int percent) {
    korvel::LoginContext& login = demo.Context().login;
    return korvel::DueChecksQuery(login, {},
                                  zel::HostDate::Parse(DayDue(percent, *login.db))->Day());
}

class SqliteAccount {
public:
    static SqliteAccount& Instance() {
        if (!instance_) {
            instance_.reset(new SqliteAccount());
        }
        return *instance_;
    }
    // Before the application ends, which the window needs while it goes.
    static void Close() { instance_.reset(); }
    bench::DemoMainWindow& Demo() { return *demo_; }
    const std::string& Path() const { return path_; }

private:
    SqliteAccount() : path_(dir_.path().toStdString() + "/due.db") {
        bench::BuildDemoAccount(path_, kRows, kItems, kWarehouses);
        bench::BareConnection(path_).Execute(kCountTheNeverCounted);
        demo_ = std::make_unique<bench::DemoMainWindow>(path_);
    }

    static inline std::unique_ptr<SqliteAccount> instance_;
    QTemporaryDir dir_;
    std::string path_;
    std::unique_ptr<bench::DemoMainWindow> demo_;
};

std::unique_ptr<bench::SecuredServerAccount> serverAccount;
bench::SecuredServerAccount& ServerAccount() {
    if (!serverAccount) {
        serverAccount = std::make_unique<bench::SecuredServerAccount>(bench::SecuredAccountOptions{
            .name = "whinv_bench_due",
            .rows = kRows,
            .items = kItems,
            .warehouses = kWarehouses,
            // What autovacuum does soon after a write of many rows: the
            // first read would otherwise pass every row version
            // the count left dead in the next-check index.
            .fill = {kCountTheNeverCounted, "vacuum analyze WhInvContrapose"},
            .clerkRight = "R"});
    }
    return *serverAccount;
}

// sqlite3_step over the query as the service adapts it, every value touched, on a connection
// set up as the host's (its page cache).
void BM_SqliteBareRead(benchmark::State& state) {
    SqliteAccount& account = SqliteAccount::Instance();
    bench::BareConnection bare(account.Path(), "pragma cache_size=-65536");
    const std::string sql =
        zel::TsqlAdapter::ToSqlite(DueQuery(account.Demo(), static_cast<int>(state.range(0))));
    for (auto _ : state) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(bare.Handle(), sql.c_str(), -1, &statement, nullptr);
        long rows = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int column = 0; column < sqlite3_column_count(statement); ++column) {
                benchmark::DoNotOptimize(sqlite3_column_text(statement, column));
            }
            ++rows;
        }
        sqlite3_finalize(statement);
        state.counters["due"] = static_cast<double>(rows);
    }
}

// libpq in single-row mode over the query as the service adapts it, as the account's owner.
void BM_ServerBareRead(benchmark::State& state) {
    bench::SecuredServerAccount& account = ServerAccount();
    const std::string sql =
        zel::TsqlAdapter::ToPostgres(DueQuery(account.Owner(), static_cast<int>(state.range(0))));
    // The account's database as SecuredServerAccount names it.
    const std::string conninfo =
        bench::BenchServer() + " dbname=whinv_bench_due_" + std::to_string(getpid());
    PGconn* bare = PQconnectdb(conninfo.c_str());
    if (PQstatus(bare) != CONNECTION_OK) {
        Fail(PQerrorMessage(bare));
    }
    for (auto _ : state) {
        PQsendQuery(bare, sql.c_str());
        PQsetSingleRowMode(bare);
        long rows = 0;
        while (PGresult* result = PQgetResult(bare)) {
            if (PQresultStatus(result) == PGRES_SINGLE_TUPLE) {
                for (int field = 0; field < PQnfields(result); ++field) {
                    benchmark::DoNotOptimize(PQgetvalue(result, 0, field));
                }
                ++rows;
            }
            PQclear(result);
        }
        state.counters["due"] = static_cast<double>(rows);
    }
    PQfinish(bare);
}

// Every due row read through the service into the list's rows.
void DueList(benchmark::State& state, bench::DemoMainWindow& demo) {
    zel::IClsCommon& db = *demo.Context().login.db;
    const std::string query = DueQuery(demo, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        bool ok = false;
        const auto due = korvel::ReadDueChecks(db, query, ok);
        if (!ok) {
            state.SkipWithError("the query failed");
        }
        state.counters["due"] = static_cast<double>(due.size());
    }
}

void FirstSlice(benchmark::State& state, bench::DemoMainWindow& demo) {
    zel::IClsCommon& db = *demo.Context().login.db;
    const std::string query = DueQuery(demo, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto reader = std::make_unique<korvel::DueCheckReader>(db, query);
        std::vector<korvel::DueCheck> due;
        reader->ReadSome(korvel::ListWindow::kFirstSliceRows, due);
        // Closing the list is no part of showing it.
        state.PauseTiming();
        if (reader->Failed() || due.empty()) {
            state.SkipWithError("no rows read");
        }
        reader.reset();
        state.counters["rows"] = static_cast<double>(due.size());
        state.ResumeTiming();
    }
}

void BM_SqliteDueList(benchmark::State& state) {
    DueList(state, SqliteAccount::Instance().Demo());
}
void BM_SqliteFirstSlice(benchmark::State& state) {
    FirstSlice(state, SqliteAccount::Instance().Demo());
}
void BM_ServerOwnerDueList(benchmark::State& state) {
    DueList(state, ServerAccount().Owner());
}
void BM_ServerOwnerFirstSlice(benchmark::State& state) {
    FirstSlice(state, ServerAccount().Owner());
}
void BM_ServerPlainLoginDueList(benchmark::State& state) {
    DueList(state, ServerAccount().Plain());
}
void BM_ServerPlainLoginFirstSlice(benchmark::State& state) {
    FirstSlice(state, ServerAccount().Plain());
}

void DueShares(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgName("due%")->Arg(75)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3);
}

BENCHMARK(BM_SqliteBareRead)->Apply(DueShares);
BENCHMARK(BM_SqliteDueList)->Apply(DueShares);
BENCHMARK(BM_SqliteFirstSlice)->Apply(DueShares);

}  // namespace

int main(int argc, char** argv) {
    bench::QtBenchmarks benchmarks(argc, argv);
    if (!bench::BenchServer().empty()) {
        BENCHMARK(BM_ServerBareRead)->Apply(DueShares);
        BENCHMARK(BM_ServerOwnerDueList)->Apply(DueShares);
        BENCHMARK(BM_ServerOwnerFirstSlice)->Apply(DueShares);
        BENCHMARK(BM_ServerPlainLoginDueList)->Apply(DueShares);
        BENCHMARK(BM_ServerPlainLoginFirstSlice)->Apply(DueShares);
    }
    const int status = benchmarks.Run();
    SqliteAccount::Close();
    serverAccount.reset();
    return status;
}
