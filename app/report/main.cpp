// whinv-report: the rows due for a stock check, or the history of the rows' changes, for a
// nightly job.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

#include "app/command_line.h"
#include "app/report/due_report.h"
#include "app/report/history_report.h"

namespace {

std::string Value(const QCommandLineParser& parser, const QCommandLineOption& option) {
    return parser.value(option).toStdString();
}

// An option of the other report is a mistake the user should hear of, not one to ignore.
bool TakesNone(const QCommandLineParser& parser, const QString& report,
               const QList<QCommandLineOption>& options) {
    for (const QCommandLineOption& option : options) {
        if (parser.isSet(option)) {
            std::fprintf(stderr, "whinv-report: --%s is no option of the %s report\n",
                         option.names().first().toLocal8Bit().constData(),
                         report.toLocal8Bit().constData());
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    // The report draws nothing: without a window system it needs no display, and a nightly job
    // gets no platform warning in its mail.
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "due: lists the correspondence rows due for a stock check on or before a date.\n"
        "history: lists the changes of the correspondence rows from one day to another, newest "
        "first.\n"
        "Both under the user's read rights, as CSV (UTF-8) or XLSX.");
    parser.addHelpOption();
    parser.addPositionalArgument("report", "The report: due or history.");
    const QCommandLineOption database{"database", "Account name or database.", "name", "demo"};
    const QCommandLineOption user{"user",
                                  "User whose rights apply (default demo). On a PostgreSQL "
                                  "account it is the server login and may be left out.",
                                  "id"};
    const QCommandLineOption date{"date", "due: due on or before (yyyy-mm-dd); default today.",
                                  "date"};
    const QCommandLineOption from{"from", "history: changes on or after this day (yyyy-mm-dd).",
                                  "date"};
    const QCommandLineOption to{"to", "history: changes on or before this day (yyyy-mm-dd).",
                                "date"};
    const QCommandLineOption format{"format", "csv or xlsx.", "format", "csv"};
    const QCommandLineOption output{"output", "File to write; default standard output (csv).",
                                    "file"};
    const QCommandLineOption warehouse{"warehouse", "Only this warehouse.", "code"};
    const QCommandLineOption storekeeper{"storekeeper", "due: only this storekeeper.", "code"};
    const QCommandLineOption config{"config", "Host configuration file.", "file",
                                    QString::fromStdString(zel::DefaultConfigPath())};
    const QCommandLineOption sqlLog = zel::SqlLogOption();
    parser.addOptions(
        {database, user, date, from, to, format, output, warehouse, storekeeper, config, sqlLog});
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "whinv-report: %s\n", parser.errorText().toLocal8Bit().constData());
        return 2;
    }
    if (parser.isSet("help")) {
        std::fputs(parser.helpText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    const QStringList report = parser.positionalArguments();
    std::optional<std::string> userId;
    if (parser.isSet(user)) {
        userId = Value(parser, user);
    }
    const auto common = [&](zel::ReportRequest& request) {
        request.database = Value(parser, database);
        request.user = userId;
        request.format = Value(parser, format);
        request.output = Value(parser, output);
        request.warehouse = Value(parser, warehouse);
        request.configPath = Value(parser, config);
    };
    auto environment = std::make_shared<zel::HostEnvironment>();
    environment->accounts.SetReading(zel::ReadingPattern::kOnePass);
    environment->sqlLogPath = zel::SqlLogPath(parser, sqlLog);
    if (report == QStringList{"due"}) {
        if (!TakesNone(parser, "due", {from, to})) {
            return 2;
        }
        zel::DueReportRequest request;
        common(request);
        request.date = Value(parser, date);
        request.storekeeper = Value(parser, storekeeper);
        return zel::RunDueReport(request, environment);
    }
    if (report == QStringList{"history"}) {
        if (!TakesNone(parser, "history", {date, storekeeper})) {
            return 2;
        }
        zel::HistoryReportRequest request;
        common(request);
        request.from = Value(parser, from);
        request.to = Value(parser, to);
        return zel::RunHistoryReport(request, environment);
    }
    std::fputs("whinv-report: the reports are \"due\" and \"history\"; see --help\n", stderr);
    return 2;
}
