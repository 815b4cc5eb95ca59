// Sorting the main window's list grid of 100,000 rows of 18 columns through the host's sort (a
// text, a number and a date column, serial numbers rewritten after each sort) and locating the
// last row through the locate dialog's search.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <string>
#include <vector>

#include "host/controls/flex_grid.h"
#include "host/pub/grid_locator.h"
#include "host/pub/grid_row_sorter.h"
#include "support/qt_benchmarks.h"

namespace {

constexpr int kRows = 100'000;
constexpr int kCols = 18;
constexpr int kNameCol = 2;
constexpr int kTopSumCol = 8;
constexpr int kLastDateCol = 15;

const std::vector<const char*>& FieldNames() {
    static const std::vector<const char*> names = {
        "",           "cInvCode",      "cInvName",     "cInvStd",    "cGroupCode",
        "cGroupName", "cComunitCode",  "cComUnitName", "iTopSum",    "iLowSum",
        "iSafeNum",   "iWastage",      "iFrequency",   "cFrequency", "iDays",
        "dLastDate",  "cWhPersonCode", "cPersonName"};
    return names;
}

// Display texts of a correspondence row; `key` scatters the values so that a sort moves rows.
std::vector<std::string> RowTexts(int row, int key) {
    const std::string n = std::to_string(key);
    const std::string month = std::to_string(1 + key % 12);
    const std::string day = std::to_string(1 + key % 28);
    return {std::to_string(row),
            "I" + n,
            "钢板 Q235 " + n,
            "10mm",
            "G01",
            "件组",
            "01",
            "件",
            std::to_string(key % 5000) + "." + std::to_string(key % 100) + "0",
            "100.00",
            "300.00",
            "2.50",
            "7",
            "天",
            "1",
            "2024-" + (month.size() < 2 ? "0" + month : month) + "-" +
                (day.size() < 2 ? "0" + day : day),
            "P" + n,
            "张三"};
}

void Fill(zel::FlexGrid& grid) {
    grid.SetCols(kCols);
    for (int col = 0; col < kCols; ++col) {
        grid.SetColField(col, {FieldNames()[static_cast<std::size_t>(col)], ""});
    }
    grid.SetRows(kRows + 1);
    grid.SetRedraw(false);
    for (int row = 1; row <= kRows; ++row) {
        const auto texts = RowTexts(row, row * 7919 % kRows);
        for (int col = 0; col < kCols; ++col) {
            grid.SetTextMatrix(row, col, texts[static_cast<std::size_t>(col)]);
        }
    }
    grid.SetTextMatrix(kRows, kNameCol, "最后一行 last row");
    grid.SetRedraw(true);
}

void HostSort(benchmark::State& state) {
    zel::FlexGrid grid;
    grid.resize(1000, 700);
    grid.show();
    Fill(grid);
    grid.SetRow(kRows / 2);
    const int col = static_cast<int>(state.range(0));
    bool ascending = true;
    for (auto _ : state) {
        zel::GridRowSorter(grid).Sort(col, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        ascending = !ascending;
        QApplication::processEvents();
    }
}

void LocateLastRow(benchmark::State& state) {
    zel::FlexGrid grid;
    Fill(grid);
    for (auto _ : state) {
        const auto row = zel::GridLocator(grid.Model(), "LAST ROW").FindNext(kNameCol, 1);
        benchmark::DoNotOptimize(row);
        if (row != kRows) {
            state.SkipWithError("the last row was not found");
        }
    }
}

}  // namespace

BENCHMARK(HostSort)
    ->Arg(kNameCol)
    ->Arg(kTopSumCol)
    ->Arg(kLastDateCol)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(4);
BENCHMARK(LocateLastRow)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv) {
    bench::QtBenchmarks benchmarks(argc, argv);
    return benchmarks.Run();
}
