// whinv-report due: the rows due for a stock check, for a nightly job.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

#include "app/command_line.h"
#include "app/report/due_report.h"

int main(int argc, char* argv[]) {
    // The report draws nothing: without a window system it needs no display, and a nightly job
    // gets no platform warning in its mail.
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Lists the correspondence rows due for a stock check on or before a date, under the "
        "user's read rights, as CSV (UTF-8) or XLSX.");
    parser.addHelpOption();
    parser.addPositionalArgument("due", "The report: due.");
    const QCommandLineOption database{"database", "Account name or database.", "name", "demo"};
    const QCommandLineOption user{"user",
                                  "User whose rights apply (default demo). On a PostgreSQL "
                                  "account it is the server login and may be left out.",
                                  "id"};
    const QCommandLineOption date{"date", "Due on or before (yyyy-mm-dd); default today.", "date"};
    const QCommandLineOption format{"format", "csv or xlsx.", "format", "csv"};
    const QCommandLineOption output{"output", "File to write; default standard output (csv).",
                                    "file"};
    const QCommandLineOption warehouse{"warehouse", "Only this warehouse.", "code"};
    const QCommandLineOption storekeeper{"storekeeper", "Only this storekeeper.", "code"};
    const QCommandLineOption config{"config", "Host configuration file.", "file",
                                    QString::fromStdString(zel::DefaultConfigPath())};
    parser.addOptions({database, user, date, format, output, warehouse, storekeeper, config});
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "whinv-report: %s\n", parser.errorText().toLocal8Bit().constData());
        return 2;
    }
    if (parser.isSet("help")) {
        std::fputs(parser.helpText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (parser.positionalArguments() != QStringList{"due"}) {
        std::fputs("whinv-report: the one report is \"due\"; see --help\n", stderr);
        return 2;
    }
    zel::DueReportRequest request;
    request.database = parser.value(database).toStdString();
    if (parser.isSet(user)) {
        request.user = parser.value(user).toStdString();
    }
    request.date = parser.value(date).toStdString();
    request.format = parser.value(format).toStdString();
    request.output = parser.value(output).toStdString();
    request.warehouse = parser.value(warehouse).toStdString();
    request.storekeeper = parser.value(storekeeper).toStdString();
    request.configPath = parser.value(config).toStdString();
    return zel::RunDueReport(request, std::make_shared<zel::HostEnvironment>());
}
