// The program itself, as a nightly job starts it: no display, no platform chosen, none of a
// desktop session's variables.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include "support/test_database.h"

namespace zel {
namespace {

struct Ending {
    int status = -1;
    QString errors;
};

Ending RunUnderCron(const QStringList& arguments) {
    QProcessEnvironment cron;
    for (const char* kept : {"HOME", "PATH", "LOGNAME", "SHELL", "WHINV_TEST_POSTGRES"}) {
        if (const QString value = qEnvironmentVariable(kept); !value.isEmpty()) {
            cron.insert(kept, value);
        }
    }
    QProcess program;
    program.setProcessEnvironment(cron);
    program.start(WHINV_BINARY_DIR "/bin/whinv-report", arguments);
    // Generous: a wait, not a speed target.
    program.waitForFinished(60000);
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            QString::fromUtf8(program.readAllStandardError())};
}

// A job's mail carries whatever reaches standard error: a written report adds nothing to it (its
// statements go to the log asked for), and a user the account does not know fails the job under
// the user's name.
TEST(WhinvReportProgram, RunsWithoutADisplayAndFailsForAnUnknownUser) {
    test::TestDatabase db;
    db.AddWarehouse("01", "成品库");
    const QString folder = QString::fromStdString(db.Folder());
    const QStringList common{
        "due",       "--database",         QString::fromStdString(db.DatabaseArgument()),
        "--config",  folder + "/none.ini", "--date",
        "2026-12-09"};

    const Ending written = RunUnderCron(
        common + QStringList{"--output", folder + "/due.csv", "--sql-log", folder + "/sql.log"});
    EXPECT_EQ(written.status, 0);
    EXPECT_EQ(written.errors, "");
    QFile log(folder + "/sql.log");
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString logged = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(logged.contains("\tOpenforward\t")) << logged.toStdString();
    EXPECT_TRUE(logged.contains("WhInvContrapose.dNextDate<='2026-12-09'")) << logged.toStdString();

    const Ending unknown =
        RunUnderCron(common + QStringList{"--user", "nobdy", "--output", folder + "/nobody.csv"});
    EXPECT_NE(unknown.status, 0);
    EXPECT_TRUE(unknown.errors.startsWith("whinv-report: ")) << unknown.errors.toStdString();
    EXPECT_TRUE(unknown.errors.contains("nobdy")) << unknown.errors.toStdString();
}

// The history report runs the same way; an option of the other report is refused, not ignored.
TEST(WhinvReportProgram, WritesTheHistoryAndRefusesTheDueReportsOptions) {
    test::TestDatabase db;
    const QString folder = QString::fromStdString(db.Folder());
    const QStringList common{"history",
                             "--database",
                             QString::fromStdString(db.DatabaseArgument()),
                             "--config",
                             folder + "/none.ini",
                             "--from",
                             "2026-12-01",
                             "--to",
                             "2026-12-09"};

    const Ending written = RunUnderCron(common + QStringList{"--output", folder + "/history.csv"});
    EXPECT_EQ(written.status, 0);
    EXPECT_EQ(written.errors, "");

    const Ending refused = RunUnderCron(common + QStringList{"--storekeeper", "P01"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.errors.contains("--storekeeper")) << refused.errors.toStdString();
}

}  // namespace
}  // namespace zel
