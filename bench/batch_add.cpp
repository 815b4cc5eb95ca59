// Batch add on a demo account of 10,000 items: the batch save into an empty warehouse beside the
// bare loop doing the same per-item work with prepared statements (read the item's defaults,
// insert one row in its own transaction) under three journal settings; and listing 100,000
// items beside the bare forward-only query.
//
// Each record is committed on its own, so the commit rate of the journal sets the pace.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "batchadd/batch_saver.h"
#include "batchadd/frm_batch_add.h"
#include "host/objects/inventory_in_use.h"
#include "support/bare_connection.h"
#include "support/demo_account.h"
#include "support/demo_main_window.h"
#include "support/qt_benchmarks.h"

namespace {

using bench::Fail;
using bench::Now;

constexpr const char* kTarget = "BENCH";

std::string BuildAccountDatabase(const QTemporaryDir& dir, std::int64_t items) {
    const std::string path = dir.path().toStdString() + "/bench.db";
    bench::BuildDemoAccount(path, 1000, items, 2);
    return path;
}

using Connection = bench::BareConnection;

// The items in use on the business date: the save refuses the others.
std::vector<std::string> ItemsInUse(Connection& connection) {
    return connection.Texts("select cInvCode from Inventory where " +
                            zel::InventoryInUseCondition("'2024-03-15'") + " order by cInvCode");
}

struct Account {
    explicit Account(std::int64_t items) : path(BuildAccountDatabase(dir, items)) {
        Connection connection(path);
        connection.Execute("insert into Warehouse (cWhCode, cWhName) values ('" +
                           std::string(kTarget) + "', 'bench')");
        codes = ItemsInUse(connection);
    }
    QTemporaryDir dir;
    std::string path;
    std::vector<std::string> codes;
};

Account& SaveAccount() {
    static Account account(10'000);
    return account;
}

void EmptyTarget(const std::string& path) {
    Connection(path).Execute("delete from WhInvContrapose where cWhCode='" + std::string(kTarget) +
                             "'");
}

void BM_SaveBatch(benchmark::State& state) {
    Account& account = SaveAccount();
    bench::DemoMainWindow demo(account.path);
    for (auto _ : state) {
        state.PauseTiming();
        EmptyTarget(account.path);
        state.ResumeTiming();
        const auto outcome =
            korvel::BatchSaver(demo.Context(), {}).SaveBatch(kTarget, account.codes);
        if (outcome.saved != static_cast<int>(account.codes.size())) {
            Fail("saved " + std::to_string(outcome.saved));
        }
    }
    state.counters["rows_per_s"] =
        benchmark::Counter(static_cast<double>(account.codes.size() * state.iterations()),
                           benchmark::Counter::kIsRate);
}

// The journal setting of the connection: 0 rollback journal, 1 WAL with synchronous FULL,
// 2 WAL with synchronous NORMAL. The file's journal mode is put back afterwards.
void BM_BareLoop(benchmark::State& state) {
    Account& account = SaveAccount();
    Connection connection(account.path);
    const int setting = static_cast<int>(state.range(0));
    connection.Execute(setting == 0 ? "pragma journal_mode=delete" : "pragma journal_mode=wal");
    connection.Execute(setting == 2 ? "pragma synchronous=normal" : "pragma synchronous=full");
    sqlite3_stmt* read = nullptr;
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(connection.Handle(),
                       "select iTopSum,iLowSum,iSafeNum,iWastage,iFrequency,cFrequency,iDays,"
                       "dLastDate from Inventory where cInvCode=?1 limit 1",
                       -1, &read, nullptr);
    sqlite3_prepare_v2(connection.Handle(),
                       "insert into WhInvContrapose (cWhCode,cInvCode,iTopSum,iLowSum,iSafeNum,"
                       "iWastage,iFrequency,cFrequency,iDays,dLastDate,cCreatePerson) values "
                       "(?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,'demo')",
                       -1, &insert, nullptr);
    for (auto _ : state) {
        state.PauseTiming();
        EmptyTarget(account.path);
        state.ResumeTiming();
        for (const std::string& code : account.codes) {
            sqlite3_bind_text(read, 1, code.c_str(), -1, SQLITE_STATIC);
            sqlite3_step(read);
            sqlite3_bind_text(insert, 1, kTarget, -1, SQLITE_STATIC);
            sqlite3_bind_text(insert, 2, code.c_str(), -1, SQLITE_STATIC);
            for (int column = 0; column < 8; ++column) {
                sqlite3_bind_value(insert, column + 3, sqlite3_column_value(read, column));
            }
            // The values are copied by the binding; a read left open would hold back the log's
            // checkpoints, which the save cannot skip either.
            sqlite3_reset(read);
            if (sqlite3_step(insert) != SQLITE_DONE) {
                Fail(sqlite3_errmsg(connection.Handle()));
            }
            sqlite3_reset(insert);
        }
    }
    sqlite3_finalize(read);
    sqlite3_finalize(insert);
    connection.Execute("pragma journal_mode=delete");
    state.counters["rows_per_s"] =
        benchmark::Counter(static_cast<double>(account.codes.size() * state.iterations()),
                           benchmark::Counter::kIsRate);
}

Account& ListAccount() {
    static Account account(100'000);
    return account;
}

void BM_ListAllItems(benchmark::State& state) {
    Account& account = ListAccount();
    bench::DemoMainWindow demo(account.path);
    double firstRows = 0;
    for (auto _ : state) {
        korvel::FrmBatchAdd window(demo.Context(), demo.Window().Trv(), {});
        window.show();
        double started = 0;
        bool seen = false;
        QObject::connect(&window.lvwInventory().Model(), &QAbstractItemModel::rowsInserted, [&] {
            if (!seen) {
                seen = true;
                firstRows = Now() - started;
            }
        });
        started = Now();
        window.ExecuteCommand("ShowDetail");
        if (window.lvwInventory().Count() < 90'000) {
            Fail("listed " + std::to_string(window.lvwInventory().Count()));
        }
        state.PauseTiming();
        window.close();
        state.ResumeTiming();
    }
    state.counters["first_rows_ms"] = firstRows * 1000;
}

void BM_ListBareQuery(benchmark::State& state) {
    Account& account = ListAccount();
    bench::DemoMainWindow demo(account.path);
    korvel::FrmBatchAdd window(demo.Context(), demo.Window().Trv(), {});
    for (auto _ : state) {
        const auto [mode, result] = window.QueryInventory();
        long rows = 0;
        for (; result && !result->Eof(); result->MoveNext()) {
            for (int field = 0; field < result->FieldCount(); ++field) {
                benchmark::DoNotOptimize(result->Fields(field));
            }
            ++rows;
        }
        if (rows < 90'000) {
            Fail("read " + std::to_string(rows));
        }
    }
}

BENCHMARK(BM_SaveBatch)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BareLoop)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ListAllItems)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ListBareQuery)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    bench::QtBenchmarks benchmarks(argc, argv);
    return benchmarks.Run();
}
