#include "host/database/account_file_check.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "host/database/account_database.h"
#include "host/database/account_user.h"
#include "host/database/sqlite/schema_upgrade.h"
#include "host/objects/resource_texts.h"

namespace zel {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const std::string& path) {
    if (!fs::is_regular_file(path)) {
        return {};
    }
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool RunSql(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    const bool ran = sqlite3_open(path.c_str(), &db) == SQLITE_OK &&
                     sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ran;
}

std::string Text(const std::string& key, const std::vector<std::string>& values) {
    return ResourceTexts::Instance().Format(key, values);
}

// Whether this process can still write where permissions say it may not: root can, so a
// read-only file or folder stops nobody there.
bool WritesDespite(const std::string& folder) {
    const std::string probe = folder + "/.probe";
    const bool wrote = std::ofstream(probe).good();
    fs::remove(probe);
    return wrote;
}

// Every account file that cannot be opened says which file, what kept it shut and what to do, and
// never sends the user to look for a connection fault; the file is left as it was.
class AccountFileTest : public ::testing::Test {
protected:
    AccountFileTest() : path(dir.path().toStdString() + "/account.db") {}

    ~AccountFileTest() override {
        // Gives the folder back to the test's clean-up.
        fs::permissions(dir.path().toStdString(), fs::perms::owner_all, fs::perm_options::add);
    }

    void MakeAccount() {
        std::string error;
        ASSERT_TRUE(CreateAccountDatabase(path, error)) << error;
    }

    AccountUser Open() const {
        SharedConnections connections;
        return EstablishAccountUser(AccountDirectory(dir.path().toStdString()), connections, path,
                                    "demo");
    }

    // The refusal is the expected message, the file unchanged by the attempt.
    void ExpectRefused(const std::string& expected) const {
        const std::string before = Bytes(path);
        const AccountUser user = Open();
        EXPECT_EQ(user.refusal, AccountUser::Refusal::Unreachable);
        EXPECT_EQ(user.reason, expected);
        EXPECT_EQ(user.reason.find("检查数据库连接"), std::string::npos) << user.reason;
        EXPECT_FALSE(user.detail.empty());
        EXPECT_EQ(Bytes(path), before);
    }

    QTemporaryDir dir;
    std::string path;
};

TEST_F(AccountFileTest, AMissingFileIsNamedAndNeverMade) {
    EXPECT_EQ(Open().reason, Text("Zel.HOST.OPEN.missing", {path}));
    EXPECT_FALSE(fs::exists(path));
}

struct ForeignFile {
    const char* name;
    std::function<void(const std::string& path)> make;
    const char* key;
};

class ForeignFileTest : public AccountFileTest,
                        public ::testing::WithParamInterface<ForeignFile> {};

TEST_P(ForeignFileTest, IsRefusedUntouched) {
    GetParam().make(path);
    ExpectRefused(Text(GetParam().key, {path}));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ForeignFileTest,
    ::testing::Values(
        ForeignFile{"Text",
                    [](const std::string& path) { std::ofstream(path) << "cWhCode,cInvCode\n"; },
                    "Zel.HOST.OPEN.not_sqlite"},
        ForeignFile{"Folder", [](const std::string& path) { fs::create_directory(path); },
                    "Zel.HOST.OPEN.not_sqlite"},
        ForeignFile{"Empty", [](const std::string& path) { std::ofstream{path}; },
                    "Zel.HOST.OPEN.not_sqlite"},
        // Another program's database would otherwise be upgraded into an account.
        ForeignFile{"OtherTables",
                    [](const std::string& path) {
                        ASSERT_TRUE(RunSql(path,
                                           "create table notes (t text); "
                                           "insert into notes values ('kept')"));
                    },
                    "Zel.HOST.OPEN.not_an_account"},
        ForeignFile{"OneAccountTableOnly",
                    [](const std::string& path) {
                        ASSERT_TRUE(RunSql(path, "create table aa_user (cUserId text)"));
                    },
                    "Zel.HOST.OPEN.not_an_account"},
        ForeignFile{
            "NoTables",
            [](const std::string& path) { ASSERT_TRUE(RunSql(path, "pragma user_version = 3")); },
            "Zel.HOST.OPEN.not_an_account"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AccountFileTest, AFileANewerProgramMadeIsRefusedUntouched) {
    MakeAccount();
    const int newer = SchemaUpgrade::kVersion + 1;
    ASSERT_TRUE(RunSql(path, "pragma user_version = " + std::to_string(newer)));
    ExpectRefused(Text("Zel.HOST.DB.schema_newer",
                       {path, std::to_string(newer), std::to_string(SchemaUpgrade::kVersion)}));
}

TEST_F(AccountFileTest, AReadOnlyFileIsRefusedAsSuch) {
    MakeAccount();
    fs::permissions(path, fs::perms::owner_read);
    if (WritesDespite(dir.path().toStdString()) && std::ofstream(path, std::ios::app).good()) {
        GTEST_SKIP() << "this process writes to read-only files (root)";
    }
    ExpectRefused(Text("Zel.HOST.OPEN.read_only", {path, path}));
}

TEST_F(AccountFileTest, AReadOnlyFolderIsRefusedAsSuch) {
    MakeAccount();
    const std::string folder = dir.path().toStdString();
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    if (WritesDespite(folder)) {
        GTEST_SKIP() << "this process writes to read-only folders (root)";
    }
    ExpectRefused(Text("Zel.HOST.OPEN.read_only", {path, folder}));
}

// The upgrade would write the file: it is not begun, and the message says it is the upgrade.
TEST_F(AccountFileTest, AnEarlierFileInAReadOnlyFolderIsNotUpgraded) {
    MakeAccount();
    const int earlier = SchemaUpgrade::kVersion - 1;
    ASSERT_TRUE(RunSql(path, "pragma user_version = " + std::to_string(earlier)));
    const std::string folder = dir.path().toStdString();
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    if (WritesDespite(folder)) {
        GTEST_SKIP() << "this process writes to read-only folders (root)";
    }
    ExpectRefused(
        Text("Zel.HOST.OPEN.read_only_upgrade",
             {path, std::to_string(earlier), std::to_string(SchemaUpgrade::kVersion), folder}));
}

// Another program keeps the write lock past the engine's wait (the file in the rollback journal,
// as other tools leave it, so that even reading waits).
TEST_F(AccountFileTest, AFileAnotherProgramHoldsIsToldAsLocked) {
    MakeAccount();
    ASSERT_TRUE(RunSql(path, "pragma journal_mode = delete"));
    sqlite3* holder = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "begin exclusive", nullptr, nullptr, nullptr), SQLITE_OK);
    const AccountUser user = Open();
    sqlite3_exec(holder, "rollback", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    EXPECT_EQ(user.refusal, AccountUser::Refusal::Unreachable);
    EXPECT_EQ(user.reason, Text("Zel.HOST.OPEN.locked", {path}));
    EXPECT_NE(user.detail.find("locked"), std::string::npos) << user.detail;
}

// An upgrade the engine refuses says so with its reason, and the file keeps its version.
TEST_F(AccountFileTest, AFailedUpgradeGivesItsReason) {
    MakeAccount();
    const int earlier = SchemaUpgrade::kVersion - 1;
    // A table of another shape has every table copied, and a view over a table that is gone
    // stops every change of the tables' names.
    ASSERT_TRUE(RunSql(path, "pragma user_version = " + std::to_string(earlier) +
                                 "; alter table Person add column cEarlier text"
                                 "; create view broken as select * from gone"));
    const AccountUser user = Open();
    EXPECT_EQ(user.refusal, AccountUser::Refusal::Unreachable);
    EXPECT_NE(user.reason.find(path), std::string::npos) << user.reason;
    EXPECT_NE(user.reason.find("gone"), std::string::npos) << user.reason;
    EXPECT_NE(user.reason.find(Text("Zel.HOST.OPEN.upgrade_failed", {""})), std::string::npos)
        << user.reason;
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    sqlite3_stmt* version = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "pragma user_version", -1, &version, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(version), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(version, 0), earlier);
    sqlite3_finalize(version);
    sqlite3_close(db);
}

// A long path and a long reason arrive whole: cut short, the one would send the user to another
// file and the other leave out what stops the upgrade.
TEST_F(AccountFileTest, AFailedUpgradeGivesTheWholePathAndReason) {
    const std::string folder =
        dir.path().toStdString() + "/仓库与存货对照/二〇二六年度账套/第一车间的成品库与原料库";
    fs::create_directories(folder);
    const std::string longPath = folder + "/account.db";
    std::string error;
    ASSERT_TRUE(CreateAccountDatabase(longPath, error)) << error;
    const std::string gone = "stock_counts_of_the_second_workshop_kept_apart_until_the_audit";
    ASSERT_TRUE(
        RunSql(longPath, "pragma user_version = " + std::to_string(SchemaUpgrade::kVersion - 1) +
                             "; alter table Person add column cEarlier text"
                             "; create view broken as select * from " +
                             gone));
    SharedConnections connections;
    const AccountUser user = EstablishAccountUser(AccountDirectory(dir.path().toStdString()),
                                                  connections, longPath, "demo");
    EXPECT_EQ(user.refusal, AccountUser::Refusal::Unreachable);
    EXPECT_NE(user.reason.find(longPath), std::string::npos) << user.reason;
    EXPECT_NE(user.reason.find(gone), std::string::npos) << user.reason;
    EXPECT_EQ(user.reason.find("…"), std::string::npos) << user.reason;
}

TEST_F(AccountFileTest, AnAccountFileOpens) {
    MakeAccount();
    EXPECT_TRUE(Open().Established()) << Open().reason;
}

}  // namespace
}  // namespace zel
