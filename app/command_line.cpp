#include "command_line.h"

#include <QCommandLineParser>
#include <QDate>
#include <cstdlib>

namespace zel {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string DefaultConfigPath() {
    if (auto configured = Environment("WHINV_CONFIG"); !configured.empty()) {
        return configured;
    }
    const std::string home = Environment("HOME");
    return (home.empty() ? std::string(".") : home) + "/.config/whinv/whinv.ini";
}

}  // namespace

std::optional<CommandLine> ParseCommandLine(const QStringList& arguments, std::string& error) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Warehouse and inventory correspondence");
    parser.addHelpOption();
    const QCommandLineOption database(
        {"d", "database"}, "Account database name, or a SQLite file path.", "name", "demo");
    const QCommandLineOption account("account", "Account code.", "code", "001");
    const QCommandLineOption user({"u", "user"}, "Operator code.", "user", "demo");
    const QCommandLineOption userName("user-name", "Operator name.", "name");
    const QCommandLineOption date("date", "Business date (yyyy-mm-dd); default today.", "date");
    const QCommandLineOption config("config", "Host configuration file ([accounts] section).",
                                    "file", QString::fromStdString(DefaultConfigPath()));
    const QCommandLineOption registry("registry", "Folder of component registrations (*.reg).",
                                      "folder");
    const QCommandLineOption sqlLog("sql-log",
                                    "Write every statement, its adapted form, row count and time "
                                    "to this file (also WHINV_SQL_LOG).",
                                    "file");
    parser.addOptions({database, account, user, userName, date, config, registry, sqlLog});
    if (!parser.parse(arguments)) {
        error = parser.errorText().toStdString();
        return std::nullopt;
    }
    if (parser.isSet("help")) {
        error = parser.helpText().toStdString();
        return std::nullopt;
    }
    CommandLine line;
    line.login.ysDBName = parser.value(database).toStdString();
    line.login.accId = parser.value(account).toStdString();
    line.login.userId = parser.value(user).toStdString();
    line.login.userName = parser.value(userName).toStdString();
    if (parser.isSet(date)) {
        const QDate businessDate = QDate::fromString(parser.value(date), Qt::ISODate);
        if (!businessDate.isValid()) {
            error = "not a date (yyyy-mm-dd): " + parser.value(date).toStdString();
            return std::nullopt;
        }
        line.login.curDate = businessDate.toString(Qt::ISODate).toStdString();
    }
    line.configPath = parser.value(config).toStdString();
    line.registryDir = parser.isSet(registry) ? parser.value(registry).toStdString()
                                              : Environment("WHINV_REGISTRY");
    line.sqlLogPath =
        parser.isSet(sqlLog) ? parser.value(sqlLog).toStdString() : Environment("WHINV_SQL_LOG");
    return line;
}

}  // namespace zel
