#include "app/run_component.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "app/exit_status.h"
#include "host/controls/flex_grid.h"
#include "interfaces/pub.h"
#include "support/lock_holder_process.h"
#include "support/scripted_dialogs.h"
#include "support/test_database.h"

namespace zel {
namespace {

using test::LockHolderProcess;

// What the rows of the main window's grid were when the window went away, seen from outside the
// program the way a user sees it.
class MainWindowWatch final : public QObject {
public:
    MainWindowWatch() { qApp->installEventFilter(this); }
    ~MainWindowWatch() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = qobject_cast<QDialog*>(watched);
        if (window != nullptr && window->objectName() == "FrmWhInvContra") {
            if (event->type() == QEvent::Show) {
                ++shows;
            } else if (event->type() == QEvent::Hide) {
                const auto* grid = window->findChild<FlexGrid*>();
                rowsWhenHidden = grid != nullptr ? grid->Rows() : -1;
            }
        }
        return false;
    }

    int shows = 0;
    int rowsWhenHidden = -1;
};

class RunComponentTest : public ::testing::Test {
protected:
    RunComponentTest() {
        line.login.ysDBName = database.DatabaseArgument();
        line.login.curDate = "2024-03-15";
        line.registryDir = WHINV_BINARY_DIR "/registry";
    }

    // One warehouse holding `rows` items, so the first fill of the main window shows them all.
    void AddRows(int rows) {
        database.AddWarehouse("01");
        ASSERT_TRUE(database.Execute("BEGIN"));
        for (int i = 0; i < rows; ++i) {
            std::string code = "I";
            code += std::to_string(1000 + i);
            database.AddInventory(code);
            database.AddCorrespondence("01", code);
        }
        ASSERT_TRUE(database.Execute("COMMIT"));
    }

    // The program's own windows: the main window really shows and runs its event loop.
    std::shared_ptr<HostEnvironment> RealWindows() {
        auto environment = database.Environment();
        environment->dialogs = std::make_shared<QtDialogPresenter>();
        return environment;
    }

    test::TestDatabase database;
    CommandLine line;
};

TEST_F(RunComponentTest, ASecondCopyEndsWithTheLockedStatus) {
    LockHolderProcess first(database.DatabaseArgument(), "alice", kLockFunction);
    ASSERT_EQ(first.NextLine(), "taken");
    EXPECT_EQ(RunComponent(line, database.Environment()), kExitFunctionLocked);
    EXPECT_EQ(database.Dialogs().ModalCount(), 0);
    ASSERT_EQ(database.Dialogs().Messages().size(), 1U);
    EXPECT_NE(database.Dialogs().Messages()[0].text.find("使用，暂时不能进入"), std::string::npos);
}

TEST_F(RunComponentTest, TheOnlyCopyEndsDoneAndGivesTheLockBack) {
    EXPECT_EQ(RunComponent(line, database.Environment()), kExitDone);
    EXPECT_EQ(database.Dialogs().ModalCount(), 1);
    LockHolderProcess next(database.DatabaseArgument(), "alice", kLockFunction);
    EXPECT_EQ(next.NextLine(), "taken");
}

TEST_F(RunComponentTest, NoComponentWithoutItsRegistration) {
    QTemporaryDir noRegistrations;
    line.registryDir = noRegistrations.path().toStdString();
    EXPECT_EQ(RunComponent(line, database.Environment()), kExitNoComponent);
}

TEST_F(RunComponentTest, QuitAfterShowClosesTheMainWindowOnceItsFirstFillHasRun) {
    AddRows(3);
    MainWindowWatch watch;
    EXPECT_EQ(RunComponentUntilShown(line, RealWindows()), kExitDone);
    EXPECT_EQ(watch.shows, 1);
    EXPECT_EQ(watch.rowsWhenHidden, 1 + 3);
}

// The fill lets events run every few hundred rows, and the close arrives among them: the window
// holds it until the fill is through.
TEST_F(RunComponentTest, QuitAfterShowWaitsForALongFirstFill) {
    AddRows(450);
    MainWindowWatch watch;
    EXPECT_EQ(RunComponentUntilShown(line, RealWindows()), kExitDone);
    EXPECT_EQ(watch.rowsWhenHidden, 1 + 450);
}

// The scripted presenter closes the main window before its first show is over.
TEST_F(RunComponentTest, QuitAfterShowFailsWhenTheMainWindowNeverShows) {
    EXPECT_EQ(RunComponentUntilShown(line, database.Environment()), kExitNotShown);
    EXPECT_EQ(database.Dialogs().ModalCount(), 1);
}

TEST_F(RunComponentTest, WithoutAUserItRunsAsTheServerLoginOrAsDemoOnAFile) {
    const std::string expected =
        database.OnServer() ? database.Scalar("select session_user").ToString() : "demo";
    ASSERT_EQ(RunComponent(line, database.Environment()), kExitDone);
    EXPECT_EQ(database.Environment()->session->cUserId(), expected);
}

// On a file the user is the one named; on a server the login, named or not, in any letter case.
TEST_F(RunComponentTest, AUserOfTheAccountRunsAsThemselves) {
    const auto reader = database.AddLogin("u01");
    ASSERT_TRUE(database.Execute("insert into aa_user (cUserId, cUserName, bAdmin) values ('" +
                                 reader.userId + "', '王五', 0)"));
    line.login.ysDBName = reader.database;
    std::vector<std::optional<std::string>> named{reader.userId};
    if (database.OnServer()) {
        named.push_back(std::nullopt);
        named.push_back(QString::fromStdString(reader.userId).toUpper().toStdString());
    }
    for (const auto& user : named) {
        line.user = user;
        ASSERT_EQ(RunComponent(line, database.Environment()), kExitDone) << user.value_or("-");
        EXPECT_EQ(database.Environment()->session->cUserId(), reader.userId);
    }
    EXPECT_TRUE(database.Dialogs().Messages().empty());
}

// Whoever cannot be established is told why, with the account and the user named and nothing of
// the connection text; the component is never shown.
class UserNotEstablishedTest : public RunComponentTest {
protected:
    void ExpectToldOnce(const std::vector<std::string>& named, int status = kExitNoUser) {
        EXPECT_EQ(RunComponent(line, database.Environment()), status);
        EXPECT_EQ(database.Dialogs().ModalCount(), 0);
        ASSERT_EQ(database.Dialogs().Messages().size(), 1U);
        const std::string& text = database.Dialogs().Messages()[0].text;
        for (const auto& name : named) {
            EXPECT_NE(text.find(name), std::string::npos) << name << " in " << text;
        }
        EXPECT_EQ(text.find("host="), std::string::npos) << text;
    }
};

TEST_F(UserNotEstablishedTest, AnotherUserThanTheServerLogin) {
    if (!database.OnServer()) {
        GTEST_SKIP() << "a SQLite file takes the user it is named";
    }
    line.user = "demo";
    ExpectToldOnce({"demo", database.Scalar("select session_user").ToString()});
}

TEST_F(UserNotEstablishedTest, AUserWithoutARowInTheAccount) {
    const auto stranger = database.AddLogin("nobdy");
    line.login.ysDBName = stranger.database;
    if (!database.OnServer()) {
        line.user = stranger.userId;
    }
    ExpectToldOnce({stranger.userId});
}

// The engine's reason, which the message leaves out, is kept in the SQL log.
TEST_F(UserNotEstablishedTest, AnAccountThatCannotBeOpened) {
    line.login.ysDBName = database.Folder() + "/no/such/folder/account.db";
    const std::string log = database.Folder() + "/sql.log";
    line.sqlLogPath = log;
    ExpectToldOnce({line.login.ysDBName}, kExitNoDatabase);
    std::ifstream written(log);
    std::string entry;
    ASSERT_TRUE(std::getline(written, entry));
    EXPECT_NE(entry.find("\tOpen\t-1\t"), std::string::npos) << entry;
    EXPECT_NE(entry.find("account.db"), std::string::npos) << entry;
}

// An account a newer program made is refused with that reason, not as one out of reach.
TEST_F(UserNotEstablishedTest, AnAccountANewerProgramMade) {
    ASSERT_TRUE(database.Execute(database.OnServer()
                                     ? "update whinv_schema set version = version + 1"
                                     : "pragma user_version = 99"));
    ExpectToldOnce({"较新版本"}, kExitNoDatabase);
}

// A file that was reached is never told as a connection fault: the message names the file and
// what it is, and the file is not made into an account.
TEST_F(UserNotEstablishedTest, AFileThatIsNotAnAccount) {
    line.login.ysDBName = database.Folder() + "/notes.db";
    std::ofstream(line.login.ysDBName) << "not a database\n";
    ExpectToldOnce({line.login.ysDBName, "不是账套"}, kExitNoDatabase);
    EXPECT_EQ(database.Dialogs().Messages()[0].text.find("数据库连接"), std::string::npos);
    std::ifstream kept(line.login.ysDBName);
    std::string first;
    std::getline(kept, first);
    EXPECT_EQ(first, "not a database");
}

TEST_F(RunComponentTest, WithoutARegistryFolderTheComponentIsFoundBesideTheProgram) {
    line.registryDir.clear();
    EXPECT_EQ(RunComponent(line, database.Environment()), kExitDone);
    EXPECT_EQ(database.Dialogs().ModalCount(), 1);
}

// A new user's start: no database named, nothing configured, an empty data folder.
class FirstStartTest : public ::testing::Test {
protected:
    FirstStartTest() {
        environment->accounts = AccountDirectory(home.filePath("share/whinv").toStdString());
        line.login.ysDBName = "demo";
        line.login.curDate = "2024-03-15";
        line.registryDir = WHINV_BINARY_DIR "/registry";
    }
    std::string OwnFile() const { return environment->accounts.DataFolder() + "/demo.db"; }

    QTemporaryDir home;
    std::shared_ptr<HostEnvironment> environment = std::make_shared<HostEnvironment>();
    CommandLine line;
};

TEST_F(FirstStartTest, TheUsersDemoDatabaseIsBuiltAndOpened) {
    MainWindowWatch watch;
    EXPECT_EQ(RunComponentUntilShown(line, environment), kExitDone);
    EXPECT_EQ(watch.shows, 1);
    EXPECT_GT(watch.rowsWhenHidden, 1);
}

TEST_F(FirstStartTest, ANamedDatabaseIsNeverBuiltWithDemoData) {
    line.databaseNamed = true;
    environment->accounts = AccountDirectory(home.filePath("no/such/folder").toStdString());
    EXPECT_EQ(RunComponentUntilShown(line, environment), kExitNoDatabase);
    EXPECT_FALSE(std::filesystem::exists(OwnFile()));
}

// A typo in the user code on the account a first start builds: told, no window, a status a
// script can see.
TEST_F(FirstStartTest, AnUnknownUserIsToldAndNoWindowOpens) {
    auto dialogs = std::make_shared<test::ScriptedDialogs>();
    environment->dialogs = dialogs;
    line.user = "nobdy";
    MainWindowWatch watch;
    EXPECT_EQ(RunComponent(line, environment), kExitNoUser);
    EXPECT_EQ(watch.shows, 0);
    EXPECT_EQ(dialogs->ModalCount(), 0);
    ASSERT_EQ(dialogs->Messages().size(), 1U);
    EXPECT_NE(dialogs->Messages()[0].text.find("nobdy"), std::string::npos)
        << dialogs->Messages()[0].text;
}

TEST_F(RunComponentTest, QuitAfterShowKeepsTheLockedStatus) {
    LockHolderProcess first(database.DatabaseArgument(), "alice", kLockFunction);
    ASSERT_EQ(first.NextLine(), "taken");
    EXPECT_EQ(RunComponentUntilShown(line, RealWindows()), kExitFunctionLocked);
}

}  // namespace
}  // namespace zel
