// The benchmarks that make widgets: a QApplication drawn offscreen unless QT_QPA_PLATFORM says
// otherwise, then Google Benchmark's own start and end.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

namespace bench {

class QtBenchmarks {
public:
    QtBenchmarks(int& argc, char** argv) : application_(argc, argv) {
        benchmark::Initialize(&argc, argv);
    }

    int Run() {
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        return 0;
    }

private:
    static bool DefaultToOffscreen() {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        return true;
    }

    // Before the application, which reads the platform when it starts.
    bool offscreen_ = DefaultToOffscreen();
    QApplication application_;
};

}  // namespace bench
