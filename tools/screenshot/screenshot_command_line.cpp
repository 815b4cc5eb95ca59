#include "tools/screenshot/screenshot_command_line.h"

#include <QCommandLineParser>

namespace zel {

std::optional<ScreenshotCommandLine> ParseScreenshotCommandLine(const QStringList& arguments,
                                                                std::string& error) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Opens the main window as the account's user (demo on a file, the login on a server), lets "
        "its first activation fill it, and saves a picture of it.");
    parser.addHelpOption();
    const QCommandLineOption database(
        {"d", "database"}, "Account database name, or a SQLite file path.", "name", "demo");
    const QCommandLineOption config("config", "Host configuration file ([accounts] section).",
                                    "file");
    const QCommandLineOption registry("registry", "Folder of component registrations (*.reg).",
                                      "folder");
    const QCommandLineOption settle("settle-ms", "How long the window runs before it is taken.",
                                    "milliseconds", "1500");
    const QCommandLineOption open(
        "open",
        "Take the window that a menu item of the main window opens instead: 'add' or 'modify' "
        "for the record editor, or the item's name, such as mFilter, mPos, mFindSet, mSetUp or "
        "mPreview.",
        "item");
    const QCommandLineOption file(
        "file",
        "Answer a file dialog the opened window asks first with this file, and the choice of a "
        "workbook's sheet with the first, such as for --open mImport.",
        "path");
    parser.addOptions({database, config, registry, settle, open, file});
    parser.addPositionalArgument("output", "PNG file to write.");
    if (!parser.parse(arguments)) {
        error = parser.errorText().toStdString();
        return std::nullopt;
    }
    if (parser.isSet("help") || parser.positionalArguments().size() != 1) {
        error = parser.helpText().toStdString();
        return std::nullopt;
    }
    bool settleIsNumber = false;
    ScreenshotCommandLine line;
    line.settleMilliseconds = parser.value(settle).toInt(&settleIsNumber);
    if (!settleIsNumber || line.settleMilliseconds < 0) {
        error = "not a number of milliseconds: " + parser.value(settle).toStdString();
        return std::nullopt;
    }
    if (parser.isSet(open)) {
        const QString item = parser.value(open);
        if (!item.startsWith('m') && item != "add" && item != "modify") {
            error = "--open takes add, modify or a menu item's name, not " + item.toStdString();
            return std::nullopt;
        }
        line.openAction = item == "add"      ? "mAdd"
                          : item == "modify" ? "mModify"
                                             : item.toStdString();
    }
    line.login.ysDBName = parser.value(database).toStdString();
    line.outputPath = parser.positionalArguments().front().toStdString();
    line.configPath = parser.value(config).toStdString();
    line.registryDir = parser.value(registry).toStdString();
    line.answerFile = parser.value(file).toStdString();
    return line;
}

}  // namespace zel
