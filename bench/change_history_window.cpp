// The history window's wait for its first rows over 1,000,000 history entries: the query opened
// and its first slice read, which is all the window needs to show them. The window opens on all
// the history the user may read, on one warehouse's (the main window's selection), on one row's
// (the grid's or the editor's row) or on a month's.
//
// On a SQLite file always; on the server too when WHINV_BENCH_POSTGRES is a libpq connection text
// of a user who may create databases and roles, once as the account's owner and once as a plain
// login bound by the history's row policies. The entries are inserted straight into the history
// tables by the owner: one changed field each, over the account's correspondence rows in turn.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "history/change_history.h"
#include "support/bare_connection.h"
#include "support/bench_server.h"
#include "support/demo_account.h"
#include "support/demo_main_window.h"
#include "support/qt_benchmarks.h"

namespace {

using bench::Fail;

constexpr std::int64_t kEntries = 1'000'000;
constexpr std::int64_t kItems = 1'000;
constexpr int kWarehouses = 20;
constexpr std::int64_t kRows = kItems * kWarehouses;

// The n-th correspondence row of the account (from 1), as the demo generator numbers neither:
// the keys in order, one history entry after the other round them.
constexpr const char* kSqliteFill =
    "create temp table history_key as select row_number() over (order by cWhCode, cInvCode) as "
    "iKey, cWhCode, cInvCode from WhInvContrapose;"
    "with recursive n(i) as (select 1 union all select i + 1 from n where i < 1000000) "
    "insert into whinv_change (iChange, dWhen, cUser, cKind) "
    "select i, datetime('2020-01-01', '+' || (i * 60) || ' seconds'), 'demo', 'change' from n;"
    "insert into whinv_change_value (iChange, cWhCode, cInvCode, cField, cOldValue, cNewValue) "
    "select iChange, cWhCode, cInvCode, 'iSafeNum', iChange, iChange + 0.5 from whinv_change "
    "join history_key on iKey = 1 + iChange % (select count(*) from history_key);"
    "drop table history_key; analyze;";

// After the entries the demo generator's own writes left.
constexpr const char* kServerFill =
    "create temp table history_key as select row_number() over (order by cWhCode, cInvCode) as "
    "iKey, cWhCode, cInvCode from WhInvContrapose;"
    "create temp table history_base as select coalesce(max(iChange), 0) as iBase from "
    "whinv_change;"
    "insert into whinv_change (iChange, dWhen, cUser, cKind) overriding system value "
    "select iBase + i, timestamptz '2020-01-01' + i * interval '1 minute', current_user, 'change' "
    "from history_base, generate_series(1, 1000000) i;"
    "select setval(pg_get_serial_sequence('whinv_change', 'ichange'), max(iChange)) "
    "from whinv_change;"
    "insert into whinv_change_value (iChange, cWhCode, cInvCode, cField, cOldValue, cNewValue) "
    "select iChange, cWhCode, cInvCode, 'iSafeNum', iChange::text, (iChange + 0.5)::text "
    "from whinv_change, history_base, history_key where iChange > iBase "
    "and iKey = 1 + iChange % (select count(*) from history_key);"
    "drop table history_key, history_base; analyze;";

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

private:
    SqliteAccount() : path_(dir_.path().toStdString() + "/history.db") {
        bench::BuildDemoAccount(path_, kRows, kItems, kWarehouses);
        bench::BareConnection(path_).Execute(kSqliteFill);
        demo_ = std::make_unique<bench::DemoMainWindow>(path_);
    }

    static inline std::unique_ptr<SqliteAccount> instance_;
    QTemporaryDir dir_;
    std::string path_;
    std::unique_ptr<bench::DemoMainWindow> demo_;
};

// The account on the server, its plain login allowed to read every warehouse.
std::unique_ptr<bench::SecuredServerAccount> serverAccount;
bench::SecuredServerAccount& ServerAccount() {
    if (!serverAccount) {
        serverAccount = std::make_unique<bench::SecuredServerAccount>(
            bench::SecuredAccountOptions{.name = "whinv_bench_history",
                                         .rows = kRows,
                                         .items = kItems,
                                         .warehouses = kWarehouses,
                                         .fill = {kServerFill},
                                         .clerkRight = "R"});
    }
    return *serverAccount;
}

enum class Scope { kAll, kWarehouse, kRow, kMonth };

std::string FirstValue(zel::IClsCommon& db, const std::string& sql) {
    const auto rows = db.OpenX(sql);
    if (!rows || rows->Eof()) {
        Fail(sql + ": no row");
    }
    return rows->Fields(0)->ToString();
}

// Every row has as many entries as the next, spread over the whole history: the first will do.
korvel::ChangeHistoryFilter FilterOf(Scope scope, zel::IClsCommon& db) {
    korvel::ChangeHistoryFilter filter;
    if (scope == Scope::kAll) {
        return filter;
    }
    // A month in the middle of the history, which runs from 2020-01-01 on, an entry a minute.
    if (scope == Scope::kMonth) {
        filter.from = "2020-12-01";
        filter.to = "2020-12-31";
        return filter;
    }
    filter.warehouse = FirstValue(db, "select min(cWhCode) from WhInvContrapose");
    if (scope == Scope::kRow) {
        filter.inventory = FirstValue(db,
                                      "select min(cInvCode) from WhInvContrapose where "
                                      "cWhCode='" +
                                          filter.warehouse + "'");
    }
    return filter;
}

void FirstRows(benchmark::State& state, bench::DemoMainWindow& demo) {
    const korvel::LoginContext& login = demo.Context().login;
    const std::string query =
        korvel::ChangeHistoryQuery(login, FilterOf(static_cast<Scope>(state.range(0)), *login.db));
    for (auto _ : state) {
        std::vector<korvel::ChangeHistoryEntry> entries;
        auto reader = std::make_unique<korvel::ChangeHistoryReader>(*login.db, query);
        while (entries.empty() && !reader->AtEnd()) {
            reader->ReadSome(korvel::kChangeHistorySlice, entries);
        }
        // Closing the list is no part of showing it.
        state.PauseTiming();
        if (reader->Failed() || entries.empty()) {
            state.SkipWithError("no rows read");
        }
        reader.reset();
        state.counters["rows"] = static_cast<double>(entries.size());
        state.ResumeTiming();
    }
}

void BM_FirstRowsSqlite(benchmark::State& state) {
    FirstRows(state, SqliteAccount::Instance().Demo());
}
void BM_FirstRowsServerOwner(benchmark::State& state) {
    FirstRows(state, ServerAccount().Owner());
}
void BM_FirstRowsServerPlainLogin(benchmark::State& state) {
    FirstRows(state, ServerAccount().Plain());
}

void Scopes(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgName("all=0,warehouse=1,row=2,month=3")
        ->DenseRange(0, 3)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
}

BENCHMARK(BM_FirstRowsSqlite)->Apply(Scopes);

}  // namespace

int main(int argc, char** argv) {
    bench::QtBenchmarks benchmarks(argc, argv);
    if (!bench::BenchServer().empty()) {
        BENCHMARK(BM_FirstRowsServerOwner)->Apply(Scopes);
        BENCHMARK(BM_FirstRowsServerPlainLogin)->Apply(Scopes);
    }
    const int status = benchmarks.Run();
    SqliteAccount::Close();
    serverAccount.reset();
    return status;
}
