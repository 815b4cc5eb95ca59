// The print preview of the main window's list of 100,000 rows of 18 columns: the print data
// written from the grid (GetData), the time from the preview command to its first page painted
// (data and style read, pages laid out, window shown), paging through the preview, and the heap
// the preview holds after its first page and after fifty pages looked at.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QDialog>
#include <QSpinBox>
#include <string>
#include <vector>

#include "host/controls/flex_grid.h"
#include "host/controls/print/print_control.h"
#include "host/controls/print/print_document.h"
#include "host/controls/print/print_page_view.h"
#include "host/controls/print/print_preview_dialog.h"
#include "host/pub/print_data_writer.h"
#include "support/qt_benchmarks.h"

namespace {

constexpr int kRows = 100'000;
constexpr int kCols = 18;
constexpr int kPagesLookedAt = 50;
constexpr const char* kDataStart = "<?xml version='1.0' standalone='yes' ?><数据>";
constexpr const char* kDataEnd = "</数据>";

const std::vector<std::string> kCaptions{
    "序号",           "存货编码",       "存货名称",       "规格型号",     "计量单位组编码",
    "计量单位组名称", "主计量单位编码", "主计量单位名称", "最高库存",     "最低库存",
    "安全库存",       "合理损耗率",     "盘点周期",       "盘点周期单位", "盘点日",
    "上次盘点日期",   "负责人编码",     "负责人"};

// Display texts of the shape a correspondence row shows: codes, names, quantities, a date.
std::vector<std::string> RowTexts(int row) {
    const std::string n = std::to_string(row);
    return {n,    "I" + n,      "钢板 Q235 " + n, "10mm",   "G01",  "件组", "01",
            "件", "1,200.00",   "100.00",         "300.00", "2.50", "7",    "天",
            "1",  "2024-03-01", "P" + n,          "张三"};
}

// A window holding the filled grid, as the main window holds its list.
struct ListWindow {
    ListWindow() : grid(&window) {
        grid.SetCols(kCols);
        grid.SetRows(kRows + 1);
        grid.SetFixedRows(1);
        grid.SetRedraw(false);
        for (int c = 0; c < kCols; ++c) {
            grid.SetTextMatrix(0, c, kCaptions[static_cast<std::size_t>(c)]);
        }
        for (int r = 1; r <= kRows; ++r) {
            const auto texts = RowTexts(r);
            for (int c = 0; c < kCols; ++c) {
                grid.SetTextMatrix(r, c, texts[static_cast<std::size_t>(c)]);
            }
        }
        for (int c : {0, 8, 9, 10, 11, 12, 14}) {
            grid.SetColAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        }
    }

    std::string PrintData() {
        std::string data = kDataStart;
        const zel::PrintHeading heading{"仓库存货对照表", "001", "u1",       "张三",
                                        "2026-03-31",     true,  "01 成品库"};
        zel::AppendPrintData(data, heading, grid);
        return data + kDataEnd;
    }

    QWidget window;
    zel::FlexGrid grid;
};

// Made in main and gone before the application object, as widgets must be.
ListWindow* list = nullptr;

ListWindow& List() {
    return *list;
}

const std::string& Data() {
    static const std::string data = List().PrintData();
    return data;
}

std::string Style() {
    zel::PrintStyle style = zel::PrintStyle::ForCaptions(kCaptions);
    return style.ToXml();
}

// Small blocks and the large ones malloc maps on their own.
double HeapMB() {
    const auto info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / 1e6;
}

void GetData(benchmark::State& state) {
    for (auto _ : state) {
        const std::string data = List().PrintData();
        state.counters["xml_MB"] = static_cast<double>(data.size()) / 1e6;
    }
}

// The parts of the first page: reading the data, laying out the pages, painting page 1.
void ParseData(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(zel::PrintData::Parse(Data()));
    }
}

void LayOutPages(benchmark::State& state) {
    const auto data = zel::PrintData::Parse(Data());
    const auto style = zel::PrintStyle::Parse(Style());
    for (auto _ : state) {
        const zel::PrintDocument document(*data, *style);
        benchmark::DoNotOptimize(document.PageCount());
    }
}

void PaintFirstPage(benchmark::State& state) {
    const auto data = zel::PrintData::Parse(Data());
    const zel::PrintDocument document(*data, *zel::PrintStyle::Parse(Style()));
    for (auto _ : state) {
        zel::PrintPageView view(document, nullptr);
        benchmark::DoNotOptimize(view.grab());
    }
}

// From the preview command to the first page on the screen.
void PreviewFirstPage(benchmark::State& state) {
    const std::string& data = Data();
    const std::string style = Style();
    for (auto _ : state) {
        zel::PrintControl control(
            [](QDialog& dialog) {
                dialog.show();
                dialog.findChild<zel::PrintPageView*>()->grab();
                return 0;
            },
            nullptr);
        control.SetDataStyleXML(data, false, style, false, "WhInvContrapose");
        control.PrintPreview();
    }
}

// Paging through fifty pages of the open preview; the heap with page 1 shown and after.
void PreviewPaging(benchmark::State& state) {
    const std::string& data = Data();
    const std::string style = Style();
    for (auto _ : state) {
        state.PauseTiming();
        double heapBefore = 0;
        double heapFirstPage = 0;
        double heapAfterPaging = 0;
        int pages = 0;
        zel::PrintControl control(
            [&](QDialog& dialog) {
                auto& preview = dynamic_cast<zel::PrintPreviewDialog&>(dialog);
                preview.show();
                preview.View().grab();
                heapFirstPage = HeapMB();
                state.ResumeTiming();
                for (int page = 1; page <= kPagesLookedAt; ++page) {
                    preview.ShowPage(page);
                    preview.View().grab();
                }
                state.PauseTiming();
                heapAfterPaging = HeapMB();
                pages = preview.findChild<QSpinBox*>(QStringLiteral("pageNumber"))->maximum();
                return 0;
            },
            nullptr);
        heapBefore = HeapMB();
        control.SetDataStyleXML(data, false, style, false, "WhInvContrapose");
        control.PrintPreview();
        state.counters["pages"] = pages;
        state.counters["heap_data_MB"] = heapFirstPage - heapBefore;
        state.counters["heap_page1_MB"] = heapFirstPage;
        state.counters["heap_page51_MB"] = heapAfterPaging;
        state.counters["heap_growth_MB"] = heapAfterPaging - heapFirstPage;
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(GetData)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ParseData)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(LayOutPages)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(PaintFirstPage)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(PreviewFirstPage)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(PreviewPaging)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
    bench::QtBenchmarks benchmarks(argc, argv);
    ListWindow window;
    list = &window;
    const int status = benchmarks.Run();
    list = nullptr;
    return status;
}
