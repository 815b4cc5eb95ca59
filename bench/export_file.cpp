// Writing 100,000 rows of 18 columns as the main window's export does, to CSV and to XLSX,
// against a bare loop that writes the same texts to a file and nothing more.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <string>

#include "host/controls/export/table_export.h"

namespace {

constexpr int kRows = 100'000;
constexpr const char* kTypes = "N,T,T,T,T,T,T,T,N,N,N,N,N,T,N,D,T,T";
constexpr const char* kSizes = "0,60,255,255,35,255,35,60,2,2,2,2,0,2,0,10,20,40";

// Display texts of the shape a correspondence row shows; every tenth name holds a comma and a
// quote, which CSV must quote.
const zel::PrintData& Table() {
    static const zel::PrintData data = [] {
        zel::PrintData made;
        made.title = "仓库存货对照";
        made.headers = {"序号",           "存货编码",     "存货名称",       "规格型号",
                        "计量单位组编码", "计量单位组",   "主计量单位编码", "主计量单位",
                        "最高库存",       "最低库存",     "安全库存",       "合理损耗率",
                        "盘点周期",       "盘点周期单位", "盘点日",         "上次盘点日期",
                        "负责人编码",     "负责人"};
        made.cells.reserve(static_cast<std::size_t>(kRows) * made.headers.size());
        for (int row = 1; row <= kRows; ++row) {
            const std::string n = std::to_string(row);
            const std::string name = row % 10 == 0 ? "钢板, \"Q235\" " + n : "钢板 Q235 " + n;
            for (std::string cell :
                 {n, "I" + n, name, std::string("10mm"), std::string("G01"), std::string("件组"),
                  std::string("01"), std::string("件"), std::to_string(row % 5000) + ".00",
                  std::string("100.00"), std::string("300.00"), std::string("2.50"),
                  std::string("7"), std::string("天"), std::string("1"), std::string("2024-03-01"),
                  "P" + std::to_string(row % 300), std::string("张三")}) {
                made.cells.push_back(std::move(cell));
            }
        }
        return made;
    }();
    return data;
}

std::string FilePath(const QTemporaryDir& dir, const char* name) {
    return QDir(dir.path()).filePath(name).toStdString();
}

void BareLoop(benchmark::State& state) {
    const zel::PrintData& data = Table();
    const QTemporaryDir dir;
    const std::string path = FilePath(dir, "bare.txt");
    const std::size_t cols = data.headers.size();
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        for (std::size_t cell = 0; cell < data.cells.size(); ++cell) {
            const std::string_view text = data.cells[cell];
            std::fwrite(text.data(), 1, text.size(), file);
            std::fputc((cell + 1) % cols == 0 ? '\n' : ',', file);
        }
        std::fclose(file);
    }
}

void WriteFile(benchmark::State& state, zel::ExportFormat format, const char* name) {
    const zel::PrintData& data = Table();
    const QTemporaryDir dir;
    const zel::ExportTarget target{FilePath(dir, name), format};
    std::string error;
    for (auto _ : state) {
        if (!zel::WriteTableFile(target, data, kTypes, kSizes, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
    }
}

void Csv(benchmark::State& state) {
    WriteFile(state, zel::ExportFormat::kCsv, "table.csv");
}

void Xlsx(benchmark::State& state) {
    WriteFile(state, zel::ExportFormat::kXlsx, "table.xlsx");
}

}  // namespace

BENCHMARK(BareLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(Csv)->Unit(benchmark::kMillisecond);
BENCHMARK(Xlsx)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
