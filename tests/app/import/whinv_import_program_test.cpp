// The program itself, as a script starts it: no display, no platform chosen, none of a desktop
// session's variables.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <fstream>

#include "host/host_services.h"
#include "host/login/login.h"
#include "interfaces/pub.h"
#include "support/test_database.h"

namespace zel {
namespace {

struct Ending {
    int status = -1;
    QString told;
    QString errors;
};

Ending RunAsScript(const QStringList& arguments) {
    QProcessEnvironment script;
    for (const char* kept : {"HOME", "PATH", "LOGNAME", "SHELL", "WHINV_TEST_POSTGRES"}) {
        if (const QString value = qEnvironmentVariable(kept); !value.isEmpty()) {
            script.insert(kept, value);
        }
    }
    QProcess program;
    program.setProcessEnvironment(script);
    program.start(WHINV_BINARY_DIR "/bin/whinv-import", arguments);
    // Generous: a wait, not a speed target.
    program.waitForFinished(60000);
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            QString::fromUtf8(program.readAllStandardOutput()),
            QString::fromUtf8(program.readAllStandardError())};
}

// An import that writes says so on standard output and nothing on standard error; a user the
// account does not know fails under the user's name and the program's.
TEST(WhinvImportProgram, RunsWithoutADisplayAndFailsForAnUnknownUser) {
    test::TestDatabase db;
    db.AddWarehouse("01", "成品库");
    db.AddInventory("A001", "螺钉");
    const QString folder = QString::fromStdString(db.Folder());
    std::ofstream(db.Folder() + "/rows.csv") << "cWhCode,cInvCode,iTopSum\n01,A001,12.345678\n";
    const QStringList common{
        folder + "/rows.csv", "--database",         QString::fromStdString(db.DatabaseArgument()),
        "--config",           folder + "/none.ini", "--date",
        "2024-03-15"};

    const Ending unknown = RunAsScript(common + QStringList{"--user", "nobdy"});
    EXPECT_NE(unknown.status, 0);
    EXPECT_TRUE(unknown.errors.startsWith("whinv-import: ")) << unknown.errors.toStdString();
    EXPECT_TRUE(unknown.errors.contains("nobdy")) << unknown.errors.toStdString();

    const Ending written = RunAsScript(common);
    EXPECT_EQ(written.status, 0) << written.told.toStdString();
    EXPECT_EQ(written.errors, "");
    EXPECT_TRUE(written.told.contains("新增 1 行")) << written.told.toStdString();
    EXPECT_EQ(db.Scalar("select count(*) from WhInvContrapose where iTopSum = 12.345678"),
              Variant(1));
}

// The edit lock another user holds is told on standard error, as a script has no window to show
// it in, and nothing is written.
TEST(WhinvImportProgram, AnEditLockHeldElsewhereEndsTheImportWithoutAWindow) {
    test::TestDatabase db;
    db.AddWarehouse("01", "成品库");
    db.AddInventory("A001", "螺钉");
    const QString folder = QString::fromStdString(db.Folder());
    std::ofstream(db.Folder() + "/rows.csv") << "cWhCode,cInvCode,iTopSum\n01,A001,12\n";
    ObjectRegistry registry;
    RegisterHostServices(registry, db.Environment());
    const auto pub = CreateObjectAs<IPub>(registry, "ZelPub.IPub");
    const auto service = db.OpenService();
    Login::Values values;
    values.userId = "keeper";
    values.ysDBName = test::TestDatabase::kAccount;
    values.curDate = "2024-03-15";
    Login other(values);
    ASSERT_FALSE(pub->IsLockFun(*service, other, "WhInvContrapose", kLockEdit));

    const Ending locked = RunAsScript({folder + "/rows.csv", "--database",
                                       QString::fromStdString(db.DatabaseArgument()), "--config",
                                       folder + "/none.ini", "--date", "2024-03-15"});
    EXPECT_EQ(locked.status, 1) << locked.errors.toStdString();
    EXPECT_TRUE(locked.errors.contains("keeper")) << locked.errors.toStdString();
    EXPECT_TRUE(locked.errors.startsWith("whinv-import: ")) << locked.errors.toStdString();
    EXPECT_EQ(db.Scalar("select count(*) from WhInvContrapose"), Variant(0));
    pub->IsLockFun(*service, other, "WhInvContrapose", kUnlockEdit);
}

TEST(WhinvImportProgram, HelpListsTheOptionsAndAMissingFileIsABadRequest) {
    const Ending help = RunAsScript({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* option : {"--dry-run", "--valid-only", "--refused", "--sheet", "--format"}) {
        EXPECT_TRUE(help.told.contains(option)) << option;
    }
    const Ending none = RunAsScript({"--dry-run"});
    EXPECT_EQ(none.status, 2);
    EXPECT_TRUE(none.errors.startsWith("whinv-import: ")) << none.errors.toStdString();
}

}  // namespace
}  // namespace zel
