#include "command_line.h"

#include <QCommandLineParser>
#include <QDate>
#include <QFileInfo>
#include <cstdlib>

namespace zel {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

bool QuitAfterShowAsked() {
    const std::string value = Environment("WHINV_QUIT_AFTER_SHOW");
    return !value.empty() && value != "0";
}

// Every option once, for the help text and for the run alike.
struct ProgramOptions {
    ProgramOptions() {
        parser.setApplicationDescription("Warehouse and inventory correspondence");
        parser.addHelpOption();
        parser.addOptions({version, database, account, user, userName, date, config, registry,
                           sqlLog, quitAfterShow});
    }

    QCommandLineParser parser;
    const QCommandLineOption version{"version", "Displays version information."};
    const QCommandLineOption database{{"d", "database"},
                                      "Account name or SQLite file; default the demo account, "
                                      "built on a first start.",
                                      "name",
                                      "demo"};
    const QCommandLineOption account{"account", "Account code.", "code", "001"};
    const QCommandLineOption user{{"u", "user"},
                                  "Operator code (default demo). On a PostgreSQL account it is "
                                  "the server login and may be left out.",
                                  "user"};
    const QCommandLineOption userName{"user-name", "Operator name.", "name"};
    const QCommandLineOption date{"date", "Business date (yyyy-mm-dd); default today.", "date"};
    const QCommandLineOption config{"config", "Host configuration file ([accounts] section).",
                                    "file", QString::fromStdString(DefaultConfigPath())};
    const QCommandLineOption registry{"registry", "Folder of component registrations (*.reg).",
                                      "folder"};
    const QCommandLineOption sqlLog = SqlLogOption();
    const QCommandLineOption quitAfterShow{
        "quit-after-show",
        "Close the main window once it has shown and filled, and end with a status that says "
        "whether it did (also WHINV_QUIT_AFTER_SHOW=1)."};
};

// Without an application object the parser does not know the program's name.
std::string HelpText(const QCommandLineParser& parser, const QStringList& arguments) {
    QString text = parser.helpText();
    if (!arguments.isEmpty()) {
        text.replace("<executable_name>", QFileInfo(arguments.first()).fileName());
    }
    return text.toStdString();
}

}  // namespace

std::string DefaultConfigPath() {
    if (auto configured = Environment("WHINV_CONFIG"); !configured.empty()) {
        return configured;
    }
    const std::string home = Environment("HOME");
    return (home.empty() ? std::string(".") : home) + "/.config/whinv/whinv.ini";
}

QCommandLineOption SqlLogOption() {
    return {"sql-log",
            "Write every statement, its adapted form, row count and time to this file (also "
            "WHINV_SQL_LOG).",
            "file"};
}

std::string SqlLogPath(const QCommandLineParser& parser, const QCommandLineOption& sqlLog) {
    return parser.isSet(sqlLog) ? parser.value(sqlLog).toStdString() : Environment("WHINV_SQL_LOG");
}

std::optional<std::string> InformationRequested(const QStringList& arguments) {
    ProgramOptions options;
    // Qt's own options are still among the arguments: read as words, so that no letter of one
    // (the h of -stylesheet) reads as a question. Unknown options are the run's business.
    options.parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    options.parser.parse(arguments);
    if (options.parser.isSet("help") || options.parser.isSet("help-all")) {
        return HelpText(options.parser, arguments);
    }
    if (options.parser.isSet(options.version)) {
        return std::string("whinv ") + WHINV_VERSION + "\n";
    }
    return std::nullopt;
}

std::optional<CommandLine> ParseCommandLine(const QStringList& arguments, std::string& error) {
    ProgramOptions options;
    QCommandLineParser& parser = options.parser;
    if (!parser.parse(arguments)) {
        error = parser.errorText().toStdString();
        return std::nullopt;
    }
    CommandLine line;
    line.login.ysDBName = parser.value(options.database).toStdString();
    line.databaseNamed = parser.isSet(options.database);
    line.login.accId = parser.value(options.account).toStdString();
    if (parser.isSet(options.user)) {
        line.user = parser.value(options.user).toStdString();
    }
    line.login.userName = parser.value(options.userName).toStdString();
    if (parser.isSet(options.date)) {
        const QDate businessDate = QDate::fromString(parser.value(options.date), Qt::ISODate);
        if (!businessDate.isValid()) {
            error = "not a date (yyyy-mm-dd): " + parser.value(options.date).toStdString();
            return std::nullopt;
        }
        line.login.curDate = businessDate.toString(Qt::ISODate).toStdString();
    }
    line.configPath = parser.value(options.config).toStdString();
    line.registryDir = parser.isSet(options.registry) ? parser.value(options.registry).toStdString()
                                                      : Environment("WHINV_REGISTRY");
    line.sqlLogPath = SqlLogPath(parser, options.sqlLog);
    line.quitAfterShow = parser.isSet(options.quitAfterShow) || QuitAfterShowAsked();
    return line;
}

}  // namespace zel
