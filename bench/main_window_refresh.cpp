// Refreshing the main window's grid for one warehouse of 100,000 correspondence rows, beside the
// cheapest loop that produces the same cell texts through the same host calls; how soon after the
// refresh starts the window can first draw; the query and the fill's pauses for events on their
// own; and the heap the filled cells take beside their texts.
//
// The window runs over the host's own services on a demo account built once per run in a
// temporary folder, shown on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/component_context.h"
#include "core/text_case.h"
#include "db/demo/demo_data_generator.h"
#include "host/host_services.h"
#include "host/login/login.h"
#include "interfaces/pub.h"
#include "mainwindow/frm_whinv_contra.h"
#include "mainwindow/grid_filler.h"
#include "mainwindow/grid_query.h"
#include "support/demo_main_window.h"
#include "support/qt_benchmarks.h"

namespace {

using bench::Fail;
using bench::Mean;
using bench::Now;

constexpr int kRows = 100'000;
constexpr int kGridColumns = 18;

// One demo warehouse holding every row, so that the window's last warehouse is that one.
std::string BuildAccountDatabase(const QTemporaryDir& dir) {
    zel::demo::DemoOptions options;
    options.output = dir.path().toStdString() + "/bench.db";
    options.rows = kRows;
    options.items = kRows;
    options.warehouses = 1;
    const zel::demo::DemoOutcome outcome = zel::demo::DemoDataGenerator(options).Generate();
    if (!outcome.Ok()) {
        Fail("cannot build the account database: " + outcome.detail);
    }
    return options.output;
}

// The main window on the account, filled with the one warehouse's rows.
class BenchWindow {
public:
    BenchWindow() : path_(BuildAccountDatabase(dir_)), demo_(path_) {
        if (Window().Grid().Rows() != kRows + 1) {
            Fail("the first activation filled " + std::to_string(Window().Grid().Rows() - 1) +
                 " rows");
        }
        warehouse_ = Window().SelectedWarehouse();
    }

    // The rows as the window's refresh queries them.
    std::shared_ptr<zel::IRecordset> OpenRows() {
        korvel::ComponentContext& context = Context();
        std::string sql =
            korvel::WarehouseRowsQuery(context.catalogue, warehouse_, context.login.sAuthInv);
        return context.login.db->OpenX(sql);
    }

    korvel::FrmWhInvContra& Window() { return demo_.Window(); }
    korvel::ComponentContext& Context() { return demo_.Context(); }
    const std::string& Warehouse() const { return warehouse_; }

private:
    QTemporaryDir dir_;
    std::string path_;
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

// The first screenful can be drawn when the fill first lets events run; a zero timer posted just
// before the refresh fires exactly then.
void BM_DataRefresh(benchmark::State& state, BenchWindow& bench, const BareTiming& bare) {
    korvel::FrmWhInvContra& window = bench.Window();
    std::vector<double> refresh;
    std::vector<double> firstScreen;
    for (auto _ : state) {
        double firstEvents = 0;
        const double start = Now();
        QTimer::singleShot(0, &window, [&firstEvents] { firstEvents = Now(); });
        window.DataRefresh();
        refresh.push_back(Now() - start);
        state.SetIterationTime(refresh.back());
        QCoreApplication::processEvents();
        firstScreen.push_back(firstEvents - start);
        if (window.Grid().Rows() != kRows + 1 || window.FilledWarehouse() != bench.Warehouse()) {
            state.SkipWithError("the refresh did not fill the warehouse");
            return;
        }
    }
    const double meanRefresh = Mean(refresh);
    const double meanFirst = Mean(firstScreen);
    state.counters["first_screen_ms"] = meanFirst * 1e3;
    state.counters["first_screen_per_refresh"] = meanFirst / meanRefresh;
    if (bare.seconds > 0) {
        state.counters["bare_ms"] = bare.seconds * 1e3;
        state.counters["refresh_per_bare"] = meanRefresh / bare.seconds;
    }
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

}  // namespace

int main(int argc, char** argv) {
    bench::QtBenchmarks benchmarks(argc, argv);
    BenchWindow bench;
    BareTiming bare;
    benchmark::RegisterBenchmark("BM_BareLoop", BM_BareLoop, std::ref(bench), std::ref(bare))
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(3);
    benchmark::RegisterBenchmark("BM_DataRefresh", BM_DataRefresh, std::ref(bench), std::cref(bare))
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(3);
    benchmark::RegisterBenchmark("BM_OpenX", BM_OpenX, std::ref(bench))
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(3);
    benchmark::RegisterBenchmark("BM_FillPause", BM_FillPause, std::ref(bench))
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(50);
    benchmark::RegisterBenchmark("BM_GridMemory", BM_GridMemory, std::ref(bench))
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    return benchmarks.Run();
}
