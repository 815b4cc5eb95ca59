#include "app/first_start_demo.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "support/scripted_dialogs.h"

namespace zel {
namespace {

std::int64_t CorrespondenceRows(const std::string& file) {
    sqlite3* database = nullptr;
    std::int64_t rows = -1;
    sqlite3_stmt* query = nullptr;
    if (sqlite3_open_v2(file.c_str(), &database, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(database, "select count(*) from WhInvContrapose", -1, &query, nullptr) ==
            SQLITE_OK &&
        sqlite3_step(query) == SQLITE_ROW) {
        rows = sqlite3_column_int64(query, 0);
    }
    sqlite3_finalize(query);
    sqlite3_close(database);
    return rows;
}

namespace fs = std::filesystem;

fs::perms Permissions(const std::string& path) {
    return fs::status(path).permissions() & fs::perms::all;
}

std::string Contents(const std::string& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), {}};
}

// A new user's data folder, which does not exist yet.
class FirstStartDemoTest : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return temporary.filePath(name).toStdString(); }
    std::string OwnFile() const { return accounts.DataFolder() + "/demo.db"; }

    QTemporaryDir temporary;
    AccountDirectory accounts{Path("share/whinv")};
    test::ScriptedDialogs dialogs;
};

// On one machine the permissions are what keeps other users out of the user's databases.
TEST_F(FirstStartDemoTest, BuildsTheUsersOwnDatabaseWithDemoRowsWhenItIsMissing) {
    EXPECT_TRUE(PrepareFirstStartDatabase(accounts, "demo", dialogs));
    EXPECT_GT(CorrespondenceRows(OwnFile()), 0);
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_EQ(Permissions(OwnFile()), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Permissions(accounts.DataFolder()), fs::perms::owner_all);
}

TEST_F(FirstStartDemoTest, KeepsTheDatabaseThatIsThere) {
    fs::create_directories(accounts.DataFolder());
    std::ofstream(OwnFile()) << "the user's own rows";
    // Shared on purpose by whoever set them.
    const auto folderShared = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec;
    const auto fileShared = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(accounts.DataFolder(), folderShared);
    fs::permissions(OwnFile(), fileShared);
    EXPECT_TRUE(PrepareFirstStartDatabase(accounts, "demo", dialogs));
    EXPECT_EQ(Contents(OwnFile()), "the user's own rows");
    EXPECT_EQ(Permissions(accounts.DataFolder()), folderShared);
    EXPECT_EQ(Permissions(OwnFile()), fileShared);
}

TEST_F(FirstStartDemoTest, LeavesAnAccountTheConfigurationNamesElsewhere) {
    accounts.Set("demo", "sqlite:" + Path("elsewhere.db"));
    EXPECT_TRUE(PrepareFirstStartDatabase(accounts, "demo", dialogs));
    EXPECT_FALSE(fs::exists(OwnFile()));
    EXPECT_FALSE(fs::exists(Path("elsewhere.db")));
}

TEST_F(FirstStartDemoTest, OnlyAnAccountInTheDataFolderIsTheUsersOwn) {
    EXPECT_EQ(MissingOwnDatabase(accounts, "demo"), OwnFile());
    EXPECT_EQ(MissingOwnDatabase(accounts, OwnFile()), std::nullopt);
    EXPECT_EQ(MissingOwnDatabase(accounts, "postgresql:dbname=demo"), std::nullopt);
}

TEST_F(FirstStartDemoTest, TellsTheUserWhyWhenTheDatabaseCannotBeBuilt) {
    std::ofstream(Path("blocker")) << "a file where the data folder would go";
    const AccountDirectory blocked(Path("blocker/whinv"));
    EXPECT_FALSE(PrepareFirstStartDatabase(blocked, "demo", dialogs));
    ASSERT_EQ(dialogs.Messages().size(), 1U);
    EXPECT_NE(dialogs.Messages()[0].text.find(Path("blocker/whinv/demo.db")), std::string::npos)
        << dialogs.Messages()[0].text;
}

}  // namespace
}  // namespace zel
