// The memory the main window's output of a list of 100,000 rows leaves behind and takes: the heap
// in use and the process's resident size after one CSV and one XLSX export, beside before them;
// and while the preview shows its first page, beside before it. The window runs over the host's
// own services on a demo account of one warehouse built once per run. Each measures from the
// filled grid alone when it runs alone (--benchmark_filter=TwoExports or =Preview): the print
// control keeps the data of its last output.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTextStream>
#include <memory>
#include <string>

#include "host/controls/print/print_page_view.h"
#include "host/controls/print/print_preview_dialog.h"
#include "support/demo_account.h"
#include "support/demo_main_window.h"
#include "support/qt_benchmarks.h"

namespace {

constexpr int kRows = 100'000;

// The heap in use: small blocks and the large ones malloc maps on their own.
double HeapMB() {
    const auto info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / 1e6;
}

double StatusMB(const QString& field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    QTextStream lines(&status);
    for (QString line = lines.readLine(); !line.isNull(); line = lines.readLine()) {
        if (line.startsWith(field)) {
            return line.section(QLatin1Char(' '), 1, 1, QString::SectionSkipEmpty).toDouble() / 1e3;
        }
    }
    return 0;
}

// The pages the process itself wrote, apart from the libraries and files it maps.
double ResidentMB() {
    return StatusMB(QStringLiteral("RssAnon:"));
}

struct Memory {
    double heap = HeapMB();
    double resident = ResidentMB();
};

// The export dialog picks the file and format asked for; the preview is looked at and closed.
class OutputDialogs final : public zel::IDialogPresenter {
public:
    QString exportPath;
    int exportFilter = 0;
    Memory previewShown;

    int MessageBox(const std::string& text, int, const std::string&) override {
        bench::Fail("unexpected message: " + text);
    }
    int ShowModal(QDialog& window, QWidget*) override {
        if (auto* files = qobject_cast<QFileDialog*>(&window)) {
            files->selectNameFilter(files->nameFilters().at(exportFilter));
            files->selectFile(exportPath);
            return QDialog::Accepted;
        }
        if (auto* preview = qobject_cast<zel::PrintPreviewDialog*>(&window)) {
            preview->show();
            preview->View().grab();
            previewShown = Memory();
            return QDialog::Rejected;
        }
        return QDialog::Rejected;
    }
};

std::string BuildAccountDatabase(const QTemporaryDir& dir) {
    const std::string path = dir.path().toStdString() + "/bench.db";
    bench::BuildDemoAccount(path, kRows, kRows, 1);
    return path;
}

struct BenchWindow {
    BenchWindow() : path(BuildAccountDatabase(dir)), demo(path, dialogs) {
        if (demo.Window().Grid().Rows() != kRows + 1) {
            bench::Fail("the first activation filled " +
                        std::to_string(demo.Window().Grid().Rows() - 1) + " rows");
        }
    }

    QTemporaryDir dir;
    std::string path;
    std::shared_ptr<OutputDialogs> dialogs = std::make_shared<OutputDialogs>();
    bench::DemoMainWindow demo;
};

BenchWindow* window = nullptr;

void Export(int filter, const char* name) {
    window->dialogs->exportFilter = filter;
    window->dialogs->exportPath = window->dir.filePath(QString::fromLatin1(name));
    QFile::remove(window->dialogs->exportPath);
    window->demo.Window().ExecCommand("SaveFile");
    if (!QFile::exists(window->dialogs->exportPath)) {
        bench::Fail(std::string("the export wrote no ") + name);
    }
}

void TwoExports(benchmark::State& state) {
    for (auto _ : state) {
        const Memory before;
        Export(0, "list.csv");
        Export(1, "list.xlsx");
        const Memory after;
        state.counters["heap_before_MB"] = before.heap;
        state.counters["heap_growth_MB"] = after.heap - before.heap;
        state.counters["rss_growth_MB"] = after.resident - before.resident;
    }
}

void Preview(benchmark::State& state) {
    for (auto _ : state) {
        const Memory before;
        window->demo.Window().ExecCommand("Preview");
        const Memory shown = window->dialogs->previewShown;
        const Memory after;
        state.counters["heap_grid_MB"] = before.heap;
        state.counters["heap_shown_MB"] = shown.heap - before.heap;
        state.counters["rss_shown_MB"] = shown.resident - before.resident;
        state.counters["heap_after_MB"] = after.heap - before.heap;
    }
}

}  // namespace

BENCHMARK(TwoExports)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(Preview)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
    bench::QtBenchmarks benchmarks(argc, argv);
    BenchWindow made;
    window = &made;
    const int status = benchmarks.Run();
    window = nullptr;
    return status;
}
