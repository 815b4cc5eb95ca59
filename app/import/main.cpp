// whinv-import: correspondence rows from a CSV or XLSX file into an account, for a script.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

#include "app/command_line.h"
#include "app/import/import_status.h"
#include "app/import/run_import.h"
#include "app/script_dialogs.h"
#include "host/objects/resource_texts.h"

namespace {

std::string Value(const QCommandLineParser& parser, const QCommandLineOption& option) {
    return parser.value(option).toStdString();
}

}  // namespace

int main(int argc, char* argv[]) {
    // The import draws nothing: without a window system it needs no display.
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Imports correspondence rows from a CSV or XLSX file, such as one the program exported: "
        "judges every row first, prints the count of new, changed, unchanged and refused rows and "
        "each refused row with its reason, then writes the new and changed rows in one "
        "transaction. Nothing is written when a row is refused, unless --valid-only.");
    parser.addHelpOption();
    parser.addPositionalArgument("file", "The CSV or XLSX file to import.");
    const QCommandLineOption database{"database", "Account name or database.", "name", "demo"};
    const QCommandLineOption user{"user",
                                  "User whose rights apply (default demo). On a PostgreSQL "
                                  "account it is the server login and may be left out.",
                                  "id"};
    const QCommandLineOption date{"date", "Business date the rows are judged on; default today.",
                                  "yyyy-mm-dd"};
    const QCommandLineOption format{"format", "csv or xlsx; default told by the file.", "format"};
    const QCommandLineOption sheet{"sheet", "The workbook's sheet to read; default the first.",
                                   "name"};
    const QCommandLineOption warehouse{"warehouse",
                                       "The warehouse of rows that name none (a file without a "
                                       "warehouse column, or a blank cell).",
                                       "code"};
    const QCommandLineOption dryRun{"dry-run", "Judge the rows and report; write nothing."};
    const QCommandLineOption validOnly{"valid-only",
                                       "Write the valid rows even when others are refused."};
    const QCommandLineOption refused{"refused",
                                     "Write the refused rows with their reasons to this file "
                                     "(XLSX when it ends in .xlsx, else CSV).",
                                     "file"};
    const QCommandLineOption config{"config", "Host configuration file.", "file",
                                    QString::fromStdString(zel::DefaultConfigPath())};
    const QCommandLineOption sqlLog = zel::SqlLogOption();
    parser.addOptions({database, user, date, format, sheet, warehouse, dryRun, validOnly, refused,
                       config, sqlLog});
    if (!parser.parse(QCoreApplication::arguments())) {
        return zel::ReportFailure(parser.errorText().toStdString(), zel::kImportBadRequest,
                                  zel::kImportProgram);
    }
    if (parser.isSet("help")) {
        std::fputs(parser.helpText().toLocal8Bit().constData(), stdout);
        return zel::kImportDone;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1) {
        return zel::ReportFailure(zel::ResourceTexts::Instance().Text("Zel.IMPORT.one_file"),
                                  zel::kImportBadRequest, zel::kImportProgram);
    }
    zel::ImportRequest request;
    request.file = files.front().toStdString();
    request.database = Value(parser, database);
    if (parser.isSet(user)) {
        request.user = Value(parser, user);
    }
    request.configPath = Value(parser, config);
    request.date = Value(parser, date);
    request.format = Value(parser, format);
    request.sheet = Value(parser, sheet);
    request.warehouse = Value(parser, warehouse);
    request.dryRun = parser.isSet(dryRun);
    request.validOnly = parser.isSet(validOnly);
    request.refusedFile = Value(parser, refused);
    auto environment = std::make_shared<zel::HostEnvironment>();
    // A refusal the host would show in a message box, such as the edit lock held elsewhere.
    environment->dialogs = std::make_shared<zel::ScriptDialogs>(std::string(zel::kImportProgram));
    environment->sqlLogPath = zel::SqlLogPath(parser, sqlLog);
    return zel::RunImport(request, environment);
}
