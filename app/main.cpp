#include <QApplication>
#include <cstdio>

#include "app/command_line.h"
#include "app/exit_status.h"
#include "app/run_component.h"
#include "host/objects/qt_translation.h"

namespace {

QStringList ArgumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

}  // namespace

int main(int argc, char* argv[]) {
    // Answered before the application object exists: it needs a display.
    if (const auto answer = zel::InformationRequested(ArgumentsOf(argc, argv))) {
        std::fputs(answer->c_str(), stdout);
        return zel::kExitDone;
    }
    QApplication application(argc, argv);
    zel::InstallQtTranslation(application);
    std::string error;
    const auto line = zel::ParseCommandLine(QApplication::arguments(), error);
    if (!line) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return zel::kExitBadArguments;
    }
    auto environment = std::make_shared<zel::HostEnvironment>();
    return line->quitAfterShow ? zel::RunComponentUntilShown(*line, environment)
                               : zel::RunComponent(*line, environment);
}
