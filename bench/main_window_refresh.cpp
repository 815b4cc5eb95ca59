// Refreshing the main window's grid for one warehouse of 100,000 correspondence rows (or
// WHINV_BENCH_ROWS), beside the cheapest loop that produces the same cell texts through the same
// host calls; how soon after the refresh starts the window can first draw, both through OpenX and
// over a result read as the grid is filled; the query and the fill's pauses for events on their
// own; and the heap the filled cells take beside their texts.
//
// The window runs over the host's own services on a demo account built once per run: a SQLite
// file in a temporary folder, and, when WHINV_BENCH_POSTGRES names a server (a libpq connection
// text of a user who may create databases), a database made on it for the run and dropped at its
// end, whose cases carry "/server" in their names. Windows are shown on the offscreen platform
// unless QT_QPA_PLATFORM says otherwise.
//
// WHINV_BENCH_ROWS=1000000, bench preset, load average about 1, mean of 3 runs:
//                       bare loop    refresh (per bare)    streamed (per bare)   first screen
//   file                9.09 s       8.81 s (0.97x)        9.37 s (1.03x)        83 / 71 ms
//   server              10.8 s       8.34 s (0.77x)        10.2 s (0.94x)        120 / 70 ms
// The filled grid's cells take 150 MB of heap for 100 MB of texts, on either engine.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/component_context.h"
#include "core/text_case.h"
#include "host/host_services.h"
#include "host/login/login.h"
#include "interfaces/pub.h"
#include "mainwindow/frm_whinv_contra.h"
#include "mainwindow/grid_filler.h"
#include "mainwindow/grid_query.h"
#include "support/bench_server.h"
#include "support/demo_account.h"
#include "support/demo_main_window.h"
#include "support/qt_benchmarks.h"

namespace {

using bench::Fail;
using bench::Mean;
using bench::Now;

// 100,000 rows, or as many as WHINV_BENCH_ROWS says (1000000 shows how soon a very big
// warehouse gives its first screen).
const int kRows = [] {
    const char* rows = std::getenv("WHINV_BENCH_ROWS");
    return rows != nullptr && std::atoi(rows) > 0 ? std::atoi(rows) : 100'000;
}();
constexpr int kGridColumns = 18;
// The status bar panel that shows the row count.
constexpr int kCountPanel = 3;

// The account the window opens, holding one demo warehouse with every row, so that the window's
// last warehouse is that one.
class BenchAccount {
public:
    virtual ~BenchAccount() = default;
    // What DemoMainWindow opens.
    virtual const std::string& Location() const = 0;
};

class FileAccount final : public BenchAccount {
public:
    FileAccount() : path_(dir_.path().toStdString() + "/bench.db") {
        bench::BuildDemoAccount(path_, kRows, kRows, 1);
    }
    const std::string& Location() const override { return path_; }

private:
    QTemporaryDir dir_;
    std::string path_;
};

class ServerAccount final : public BenchAccount {
public:
    ServerAccount() : database_("whinv_bench_refresh_" + std::to_string(getpid())) {
        bench::RunOnServer(bench::BenchServer(), "create database " + database_);
        const std::string conninfo = bench::BenchServer() + " dbname=" + database_;
        location_ = "postgresql:" + conninfo;
        bench::BuildDemoAccount(location_, kRows, kRows, 1);
        // The planner sees the rows as a user's server would once it has analysed them; the
        // shared catalogues it may not analyse are left out without a word.
        bench::RunOnServer(conninfo, "set client_min_messages = error; analyze");
    }
    ~ServerAccount() override {
        bench::RunOnServer(bench::BenchServer(),
                           "drop database if exists " + database_ + " with (force)");
    }
    ServerAccount(const ServerAccount&) = delete;
    ServerAccount& operator=(const ServerAccount&) = delete;
    const std::string& Location() const override { return location_; }

private:
    std::string database_;
    std::string location_;
};

// The main window on the account, filled with the one warehouse's rows.
class BenchWindow {
public:
    explicit BenchWindow(std::unique_ptr<BenchAccount> account)
        : account_(std::move(account)), demo_(account_->Location()) {
        if (Window().Grid().Rows() != kRows + 1) {
            Fail("the first activation filled " + std::to_string(Window().Grid().Rows() - 1) +
                 " rows");
        }
        warehouse_ = Window().SelectedWarehouse();
    }

    // The rows as the window's refresh queries them.
    std::shared_ptr<zel::IRecordset> OpenRows() { return Context().login.db->OpenX(RowsQuery()); }
    // The same rows read only as the caller moves on, telling their count at their end.
    std::shared_ptr<zel::IRecordset> StreamRows() {
        return Context().login.db->Openforward(RowsQuery());
    }

    korvel::FrmWhInvContra& Window() { return demo_.Window(); }
    korvel::ComponentContext& Context() { return demo_.Context(); }
    const std::string& Warehouse() const { return warehouse_; }

private:
    std::string RowsQuery() {
        korvel::ComponentContext& context = Context();
        return korvel::WarehouseRowsQuery(context.catalogue, warehouse_, context.login.sAuthInv);
    }

    std::unique_ptr<BenchAccount> account_;  // outlives the window that has it open
    bench::DemoMainWindow demo_;
    std::string warehouse_;
};

// Filled by BM_BareLoop, read by BM_DataRefresh, which runs after it.
struct BareTiming {
    double seconds = 0;
};

// The grid's texts for the rows, cell by cell as the window makes them, kept in a vector.
std::vector<std::string> FormattedTexts(zel::IRecordset& rows, korvel::ComponentContext& context,
                                        pugi::xml_node& style) {
    zel::IPub& pub = *context.login.pub;
    korvel::FieldCatalogue& catalogue = context.catalogue;
    std::vector<std::string> names;
    int frequency = -1;
    for (int field = 0; field < rows.FieldCount(); ++field) {
        names.push_back(rows.FieldName(field));
        if (korvel::EqualsNoCase(names.back(), "cfrequency")) {
            frequency = field;
        }
    }
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(rows.RecordCount()) * (names.size() + 1));
    int serial = 0;
    for (rows.MoveFirst(); !rows.Eof(); rows.MoveNext()) {
        texts.push_back(std::to_string(++serial));
        for (int field = 0; field < static_cast<int>(names.size()); ++field) {
            const zel::Variant value = rows.Fields(field).value_or(zel::Variant{});
            std::string text = pub.FormatGridTxt(value, names[field], style);
            if (field == frequency) {
                text = pub.GetDispTxt(text, catalogue.arrFreqValue, catalogue.arrFreqText);
            }
            texts.push_back(std::move(text));
        }
    }
    return texts;
}

void BM_BareLoop(benchmark::State& state, BenchWindow& bench, BareTiming& bare) {
    korvel::ComponentContext& context = bench.Context();
    pugi::xml_node style = context.quantity.Element();
    std::vector<double> seconds;
    for (auto _ : state) {
        const double start = Now();
        std::vector<std::string> texts;
        {
            const auto rows = bench.OpenRows();
            if (!rows) {
                state.SkipWithError("the query failed");
                return;
            }
            texts = FormattedTexts(*rows, context, style);
        }
        seconds.push_back(Now() - start);
        state.SetIterationTime(seconds.back());
        if (texts.size() != static_cast<std::size_t>(kRows) * kGridColumns) {
            state.SkipWithError("wrong cell count");
            return;
        }
    }
    bare.seconds = Mean(seconds);
}

// The share of the bare loop that is the query alone.
void BM_OpenX(benchmark::State& state, BenchWindow& bench) {
    for (auto _ : state) {
        const double start = Now();
        const long count = bench.OpenRows()->RecordCount();
        state.SetIterationTime(Now() - start);
        if (count != kRows) {
            state.SkipWithError("wrong row count");
            return;
        }
    }
}

// One of the fill's pauses for events, without the rows it announces (they lie below the shown
// ones); fill_pauses_ms is what the pauses of one fill of the warehouse add up to.
void BM_FillPause(benchmark::State& state, BenchWindow& bench) {
    zel::FlexGrid& grid = bench.Window().Grid();
    std::vector<double> seconds;
    for (auto _ : state) {
        const double start = Now();
        grid.SetRedraw(false);
        grid.SetRedraw(true);
        QCoreApplication::processEvents();
        seconds.push_back(Now() - start);
        state.SetIterationTime(seconds.back());
    }
    state.counters["fill_pauses_ms"] =
        Mean(seconds) * 1e3 * (kRows / korvel::GridFiller::kRowsPerPump);
}

// Seconds a refresh took in all, and until its first screenful could be drawn: that is when the
// fill first lets events run, and a zero timer posted just before the refresh fires exactly then.
struct RefreshTiming {
    double whole = 0;
    double firstScreen = 0;
};

template <typename Refresh>
RefreshTiming TimeRefresh(QObject& window, Refresh refresh) {
    double firstEvents = 0;
    const double start = Now();
    QTimer::singleShot(0, &window, [&firstEvents] { firstEvents = Now(); });
    refresh();
    const double end = Now();
    QCoreApplication::processEvents();
    return {end - start, firstEvents - start};
}

void ReportRefresh(benchmark::State& state, const std::vector<RefreshTiming>& timings,
                   const BareTiming& bare) {
    std::vector<double> whole;
    std::vector<double> firstScreen;
    for (const RefreshTiming& timing : timings) {
        whole.push_back(timing.whole);
        firstScreen.push_back(timing.firstScreen);
    }
    const double meanRefresh = Mean(whole);
    const double meanFirst = Mean(firstScreen);
    state.counters["first_screen_ms"] = meanFirst * 1e3;
    state.counters["first_screen_per_refresh"] = meanFirst / meanRefresh;
    if (bare.seconds > 0) {
        state.counters["bare_ms"] = bare.seconds * 1e3;
        state.counters["refresh_per_bare"] = meanRefresh / bare.seconds;
    }
}

void BM_DataRefresh(benchmark::State& state, BenchWindow& bench, const BareTiming& bare) {
    korvel::FrmWhInvContra& window = bench.Window();
    std::vector<RefreshTiming> timings;
    for (auto _ : state) {
        timings.push_back(TimeRefresh(window, [&window] { window.DataRefresh(); }));
        state.SetIterationTime(timings.back().whole);
        if (window.Grid().Rows() != kRows + 1 || window.FilledWarehouse() != bench.Warehouse()) {
            state.SkipWithError("the refresh did not fill the warehouse");
            return;
        }
    }
    ReportRefresh(state, timings, bare);
}

// The window's fill over a result that reads its rows only as the fill moves on and tells its
// count at its end, as a lazily read OpenX result does: the first screen waits for the first
// rows only.
void BM_StreamedRefresh(benchmark::State& state, BenchWindow& bench, const BareTiming& bare) {
    korvel::FrmWhInvContra& window = bench.Window();
    korvel::ComponentContext& context = bench.Context();
    pugi::xml_node style = context.quantity.Element();
    const korvel::GridFiller::Target target{
        window.Grid(), *context.login.pub, style, context.catalogue,
        [&window](const std::string& text) { window.Stb().SetPanelText(kCountPanel, text); }};
    korvel::GridFiller filler([] { QCoreApplication::processEvents(); });
    std::vector<RefreshTiming> timings;
    for (auto _ : state) {
        korvel::GridFiller::Outcome outcome = korvel::GridFiller::Outcome::kFailed;
        timings.push_back(TimeRefresh(window, [&] {
            const auto rows = bench.StreamRows();
            outcome = filler.Fill(*rows, target);
        }));
        state.SetIterationTime(timings.back().whole);
        if (outcome != korvel::GridFiller::Outcome::kCompleted ||
            window.Grid().Rows() != kRows + 1) {
            state.SkipWithError("the fill did not show the warehouse");
            return;
        }
    }
    ReportRefresh(state, timings, bare);
}

// Blocks above the mmap threshold (the row vector) are counted apart from the arena.
std::size_t HeapBytes() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

std::size_t TextBytes(zel::FlexGrid& grid) {
    std::size_t bytes = 0;
    for (int row = 1; row < grid.Rows(); ++row) {
        for (int col = 0; col < grid.Cols(); ++col) {
            bytes += grid.TextMatrix(row, col).size();
        }
    }
    return bytes;
}

// From an emptied grid, so that the delta holds every row the fill writes.
void BM_GridMemory(benchmark::State& state, BenchWindow& bench) {
    korvel::FrmWhInvContra& window = bench.Window();
    zel::FlexGrid& grid = window.Grid();
    for (auto _ : state) {
        grid.SetRows(1);
        QCoreApplication::processEvents();
        const std::size_t before = HeapBytes();
        window.DataRefresh();
        const std::size_t after = HeapBytes();
        if (grid.Rows() != kRows + 1) {
            state.SkipWithError("the refresh did not fill the warehouse");
            return;
        }
        const auto heap = static_cast<double>(after) - static_cast<double>(before);
        const auto texts = static_cast<double>(TextBytes(grid));
        state.counters["heap_MB"] = heap / 1e6;
        state.counters["text_MB"] = texts / 1e6;
        state.counters["heap_per_text"] = heap / texts;
    }
}

// The cases on one engine's window; suffix tells the engine in their names.
void RegisterCases(BenchWindow& bench, BareTiming& bare, const std::string& suffix) {
    const auto name = [&suffix](const char* base) { return std::string(base) + suffix; };
    benchmark::RegisterBenchmark(name("BM_BareLoop").c_str(), BM_BareLoop, std::ref(bench),
                                 std::ref(bare))
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(3);
    benchmark::RegisterBenchmark(name("BM_DataRefresh").c_str(), BM_DataRefresh, std::ref(bench),
                                 std::cref(bare))
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(3);
    benchmark::RegisterBenchmark(name("BM_StreamedRefresh").c_str(), BM_StreamedRefresh,
                                 std::ref(bench), std::cref(bare))
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(3);
    benchmark::RegisterBenchmark(name("BM_OpenX").c_str(), BM_OpenX, std::ref(bench))
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(3);
    benchmark::RegisterBenchmark(name("BM_FillPause").c_str(), BM_FillPause, std::ref(bench))
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(50);
    benchmark::RegisterBenchmark(name("BM_GridMemory").c_str(), BM_GridMemory, std::ref(bench))
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
}

}  // namespace

int main(int argc, char** argv) {
    bench::QtBenchmarks benchmarks(argc, argv);
    BenchWindow file(std::make_unique<FileAccount>());
    BareTiming fileBare;
    RegisterCases(file, fileBare, "");
    std::unique_ptr<BenchWindow> server;
    BareTiming serverBare;
    if (!bench::BenchServer().empty()) {
        server = std::make_unique<BenchWindow>(std::make_unique<ServerAccount>());
        RegisterCases(*server, serverBare, "/server");
    }
    return benchmarks.Run();
}
