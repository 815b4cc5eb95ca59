// Filling the list grid with 100,000 rows of 18 columns as the main window does (row count set
// first, redrawing off, every cell written row by row), with and without the view, and growing
// by a batch of rows at a time as a fill of a result of unknown size does; sorting the filled
// grid by a text and by a number column; and the bytes its cells take.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <string>
#include <vector>

#include "host/controls/flex_grid.h"
#include "host/controls/flex_grid_model.h"
#include "support/qt_benchmarks.h"

namespace {

constexpr int kRows = 100'000;
constexpr int kCols = 18;

// Display texts of the shape a correspondence row shows: codes, names, quantities, a date.
std::vector<std::string> RowTexts(int row) {
    const std::string n = std::to_string(row);
    return {n,    "I" + n,      "钢板 Q235 " + n, "10mm",   "G01",  "件组", "01",
            "件", "1,200.00",   "100.00",         "300.00", "2.50", "7",    "天",
            "1",  "2024-03-01", "P" + n,          "张三"};
}

constexpr int kRowsPerBatch = 200;

template <typename Grid>
void Fill(Grid& grid, const std::vector<std::vector<std::string>>& rows, bool growing = false) {
    for (int r = 1; r <= kRows; ++r) {
        if (growing && r >= grid.Rows()) {
            grid.GrowRows(r + kRowsPerBatch);
        }
        const auto& texts = rows[static_cast<std::size_t>(r - 1) % rows.size()];
        for (int c = 0; c < kCols; ++c) {
            if constexpr (std::is_same_v<Grid, zel::FlexGrid>) {
                grid.SetTextMatrix(r, c, texts[static_cast<std::size_t>(c)]);
            } else {
                grid.SetText(r, c, texts[static_cast<std::size_t>(c)]);
            }
        }
    }
}

const std::vector<std::vector<std::string>>& SampleRows() {
    static const auto rows = [] {
        std::vector<std::vector<std::string>> made;
        for (int r = 1; r <= 997; ++r) {
            made.push_back(RowTexts(r * 7919 % 100'000));
        }
        return made;
    }();
    return rows;
}

void ModelFill(benchmark::State& state) {
    for (auto _ : state) {
        zel::FlexGridModel model;
        model.SetCols(kCols);
        model.SetRows(kRows + 1);
        model.SetDeferUpdates(true);
        Fill(model, SampleRows());
        model.SetDeferUpdates(false);
        benchmark::DoNotOptimize(model.Text(kRows, kCols - 1));
    }
}

void ModelFillGrowing(benchmark::State& state) {
    for (auto _ : state) {
        zel::FlexGridModel model;
        model.SetCols(kCols);
        model.SetDeferUpdates(true);
        Fill(model, SampleRows(), true);
        model.SetRows(kRows + 1);
        model.SetDeferUpdates(false);
        benchmark::DoNotOptimize(model.Text(kRows, kCols - 1));
    }
}

void GridFill(benchmark::State& state) {
    zel::FlexGrid grid;
    grid.resize(1000, 700);
    grid.show();
    grid.SetCols(kCols);
    for (auto _ : state) {
        grid.SetRows(1);
        grid.SetRows(kRows + 1);
        grid.SetRedraw(false);
        Fill(grid, SampleRows());
        grid.SetRow(1);
        grid.SetCol(1);
        grid.SetRedraw(true);
        QApplication::processEvents();
    }
}

void GridSort(benchmark::State& state) {
    zel::FlexGridModel model;
    model.SetCols(kCols);
    model.SetRows(kRows + 1);
    Fill(model, SampleRows());
    const int column = static_cast<int>(state.range(0));
    bool ascending = true;
    for (auto _ : state) {
        model.Sort(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        ascending = !ascending;
    }
}

// Blocks above the mmap threshold (the row vector) are counted apart from the arena.
std::size_t HeapBytes() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void CellMemory(benchmark::State& state) {
    for (auto _ : state) {
        const std::size_t before = HeapBytes();
        auto model = std::make_unique<zel::FlexGridModel>();
        model->SetCols(kCols);
        model->SetRows(kRows + 1);
        Fill(*model, SampleRows());
        std::size_t textBytes = 0;
        for (int r = 1; r <= kRows; ++r) {
            for (int c = 0; c < kCols; ++c) {
                textBytes += model->Text(r, c).size();
            }
        }
        const auto heap = static_cast<double>(HeapBytes() - before);
        state.counters["heap_MB"] = heap / 1e6;
        state.counters["text_MB"] = static_cast<double>(textBytes) / 1e6;
        state.counters["heap_per_text"] = heap / static_cast<double>(textBytes);
    }
}

}  // namespace

BENCHMARK(ModelFill)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ModelFillGrowing)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(GridFill)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(GridSort)->Arg(2)->Arg(8)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(CellMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
    bench::QtBenchmarks benchmarks(argc, argv);
    return benchmarks.Run();
}
