// Filtering the main window's grid: a condition that keeps 50,000 of a warehouse's 100,000 rows,
// beside a refresh of a warehouse that holds just those 50,000 rows. The filter queries the big
// warehouse and lays out the header again; filter_per_refresh says what that costs on top of
// filling the same rows.
//
// The window runs over the host's own services on a demo account built once per run in a
// temporary folder, shown on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/component_context.h"
#include "host/host_services.h"
#include "host/login/login.h"
#include "interfaces/pub.h"
#include "mainwindow/frm_whinv_contra.h"
#include "mainwindow/grid_query.h"
#include "support/demo_account.h"
#include "support/demo_main_window.h"
#include "support/qt_benchmarks.h"

namespace {

using bench::Fail;
using bench::Mean;
using bench::Now;

constexpr int kRows = 100'000;
constexpr int kKeptRows = kRows / 2;
// The demo's one warehouse, and the one added beside it with the kept rows.
constexpr const char* kBigWarehouse = "01";
constexpr const char* kHalfWarehouse = "02";

class Database {
public:
    explicit Database(const std::string& path) {
        if (sqlite3_open(path.c_str(), &connection_) != SQLITE_OK) {
            Fail("cannot open " + path);
        }
    }
    ~Database() { sqlite3_close(connection_); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void Execute(const std::string& sql) {
        char* error = nullptr;
        if (sqlite3_exec(connection_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string reason = error ? error : "unknown";
            sqlite3_free(error);
            Fail(sql + ": " + reason);
        }
    }

    std::string Text(const std::string& sql) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(connection_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK ||
            sqlite3_step(statement) != SQLITE_ROW) {
            sqlite3_finalize(statement);
            Fail("no row from " + sql);
        }
        std::string text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        sqlite3_finalize(statement);
        return text;
    }

private:
    sqlite3* connection_ = nullptr;
};

// One demo warehouse of kRows rows, and a second one holding its first kKeptRows items by code.
// Returns the last kept code.
std::string BuildAccountDatabase(const std::string& path) {
    bench::BuildDemoAccount(path, kRows, kRows, 1);
    Database database(path);
    const std::string lastKept = database.Text(
        std::string("select cInvCode from WhInvContrapose where cWhCode='") + kBigWarehouse +
        "' order by cInvCode limit 1 offset " + std::to_string(kKeptRows - 1));
    database.Execute(std::string("insert into Warehouse (cWhCode, cWhName) values ('") +
                     kHalfWarehouse + "', '半库')");
    database.Execute(
        std::string("insert into WhInvContrapose (cWhCode, cInvCode, iTopSum, iLowSum, iSafeNum, "
                    "iWastage, iFrequency, cFrequency, iDays, dLastDate, cWhPersonCode) select '") +
        kHalfWarehouse +
        "', cInvCode, iTopSum, iLowSum, iSafeNum, iWastage, iFrequency, cFrequency, iDays, "
        "dLastDate, cWhPersonCode from WhInvContrapose where cWhCode='" +
        kBigWarehouse + "' and cInvCode <= '" + lastKept + "'");
    return lastKept;
}

// The main window on the account, filled with the half warehouse, the last one.
class BenchWindow {
public:
    BenchWindow()
        : path_(dir_.path().toStdString() + "/bench.db"),
          lastKept_(BuildAccountDatabase(path_)),
          demo_(path_) {
        if (Window().FilledWarehouse() != kHalfWarehouse ||
            Window().Grid().Rows() != kKeptRows + 1) {
            Fail("the first activation filled " + std::to_string(Window().Grid().Rows() - 1) +
                 " rows");
        }
    }

    korvel::FrmWhInvContra& Window() { return demo_.Window(); }
    korvel::ComponentContext& Context() { return demo_.Context(); }
    // Keeps the first kKeptRows items of the big warehouse.
    std::string Condition() const { return "WhInvContrapose.cInvCode <= '" + lastKept_ + "'"; }

    // As a click would, without the click's refresh.
    void Select(const std::string& warehouse) {
        zel::YsTreeNode* node = Window().Trv().Nodes().Find("r" + warehouse);
        if (!node) {
            Fail("no node for warehouse " + warehouse);
        }
        node->SetSelected(true);
    }

private:
    QTemporaryDir dir_;
    std::string path_;
    std::string lastKept_;
    bench::DemoMainWindow demo_;
};

// Filled by BM_DataRefresh, read by BM_FilterData, which runs after it.
struct RefreshTiming {
    double seconds = 0;
};

bool HoldsKeptRows(korvel::FrmWhInvContra& window, const char* warehouse) {
    return window.Grid().Rows() == kKeptRows + 1 && window.FilledWarehouse() == warehouse;
}

void BM_DataRefresh(benchmark::State& state, BenchWindow& bench, RefreshTiming& refresh) {
    korvel::FrmWhInvContra& window = bench.Window();
    bench.Select(kHalfWarehouse);
    std::vector<double> seconds;
    for (auto _ : state) {
        const double start = Now();
        window.DataRefresh();
        seconds.push_back(Now() - start);
        state.SetIterationTime(seconds.back());
        if (!HoldsKeptRows(window, kHalfWarehouse)) {
            state.SkipWithError("the refresh did not fill the kept rows");
            return;
        }
    }
    refresh.seconds = Mean(seconds);
}

void BM_FilterData(benchmark::State& state, BenchWindow& bench, const RefreshTiming& refresh) {
    korvel::FrmWhInvContra& window = bench.Window();
    bench.Select(kBigWarehouse);
    const std::string condition = bench.Condition();
    std::vector<double> seconds;
    for (auto _ : state) {
        const double start = Now();
        window.FilterData(condition);
        seconds.push_back(Now() - start);
        state.SetIterationTime(seconds.back());
        if (!HoldsKeptRows(window, kBigWarehouse)) {
            state.SkipWithError("the filter did not keep the kept rows");
            return;
        }
    }
    if (refresh.seconds > 0) {
        state.counters["refresh_ms"] = refresh.seconds * 1e3;
        state.counters["filter_per_refresh"] = Mean(seconds) / refresh.seconds;
    }
}

// The queries alone: how much of the difference is the database's.
void BM_OpenX(benchmark::State& state, BenchWindow& bench, bool filtered) {
    korvel::ComponentContext& context = bench.Context();
    const std::string sql =
        filtered
            ? korvel::FilteredRowsQuery(context.catalogue, kBigWarehouse, bench.Condition(),
                                        context.login.sAuthInv)
            : korvel::WarehouseRowsQuery(context.catalogue, kHalfWarehouse, context.login.sAuthInv);
    for (auto _ : state) {
        const double start = Now();
        const long count = context.login.db->OpenX(sql)->RecordCount();
        state.SetIterationTime(Now() - start);
        if (count != kKeptRows) {
            state.SkipWithError("wrong row count");
            return;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    bench::QtBenchmarks benchmarks(argc, argv);
    BenchWindow bench;
    RefreshTiming refresh;
    benchmark::RegisterBenchmark("BM_DataRefresh", BM_DataRefresh, std::ref(bench),
                                 std::ref(refresh))
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(5);
    benchmark::RegisterBenchmark("BM_FilterData", BM_FilterData, std::ref(bench),
                                 std::cref(refresh))
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(5);
    benchmark::RegisterBenchmark("BM_OpenX/refresh", BM_OpenX, std::ref(bench), false)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(5);
    benchmark::RegisterBenchmark("BM_OpenX/filter", BM_OpenX, std::ref(bench), true)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(5);
    return benchmarks.Run();
}
