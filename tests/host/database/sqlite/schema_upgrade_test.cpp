#include "host/database/sqlite/schema_upgrade.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <csignal>
#include <filesystem>
#include <sstream>
#include <vector>

#include "host/database/cls_common.h"
#include "host/database/sqlite/legacy_text_collation.h"
#include "host/objects/host_environment.h"
#include "tests/host/database/sqlite/earlier_schema_files.h"

namespace zel {
namespace {

using earlier_schema_files::CurrentSchema;
using earlier_schema_files::FirstSchema;
using earlier_schema_files::OpenWithTheHost;
using earlier_schema_files::PlainConnection;

std::string CurrentVersion() {
    return std::to_string(SchemaUpgrade::kVersion) + "\n";
}

// An account database as the first schema made it, with the host's collation on its connection.
class SchemaUpgradeTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.path().toStdString() + "/first.db";
        PlainConnection first(path);
        RegisterLegacyTextCollation(first.Handle());
        ASSERT_TRUE(first.Execute(FirstSchema())) << sqlite3_errmsg(first.Handle());
        ASSERT_TRUE(first.Execute(
            "insert into Warehouse (cWhCode, cWhName) values ('01  ', '成品库'), ('R&D', '研发库');"
            "insert into Person (cPersonCode, cPersonName) values ('P01 ', '张三');"
            "insert into Inventory (iId, cInvCode, cInvName, cInvCCode) values "
            "(1, 'A001 ', '螺钉', '01 '), (2, 'A002', '螺母', null);"
            "insert into WhInvContrapose (cWhCode, cInvCode, iTopSum, cFrequency, iDays, "
            "dLastDate, cWhPersonCode) values ('01', 'a001', 100, '周', 3, '2024-05-06', "
            "'p01 '), ('r&d ', 'A002 ', 2.5, '', null, null, '');"))
            << sqlite3_errmsg(first.Handle());
        environment->accounts.Set("first", "sqlite:" + path);
    }

    bool Open() {
        ClsCommon service(environment);
        service.Init("first");
        lastError = service.LastError();
        return service.Status();
    }

    QTemporaryDir dir;
    std::string path;
    std::string lastError;
    std::shared_ptr<HostEnvironment> environment = std::make_shared<HostEnvironment>();
};

TEST_F(SchemaUpgradeTest, TheFirstSchemaIsUnreadableWithoutTheHostsCollation) {
    PlainConnection plain(path);
    EXPECT_NE(plain.Rows("pragma integrity_check").find("hosttext"), std::string::npos);
}

TEST_F(SchemaUpgradeTest, OpeningUpgradesKeepingEveryRowWithCodesWithoutTrailingBlanks) {
    ASSERT_TRUE(Open()) << lastError;
    PlainConnection plain(path);
    EXPECT_EQ(plain.Rows("pragma user_version"), CurrentVersion());
    EXPECT_EQ(plain.Rows("pragma integrity_check"), "ok\n");
    EXPECT_EQ(plain.Rows("pragma foreign_key_check"), "");
    EXPECT_EQ(plain.Rows("select cWhCode, cWhName from Warehouse order by cWhCode"),
              "01|成品库\nR&D|研发库\n");
    EXPECT_EQ(plain.Rows("select cPersonCode from Person"), "P01\n");
    EXPECT_EQ(plain.Rows("select iId, cInvCode, cInvCCode from Inventory order by iId"),
              "1|A001|01\n2|A002|~\n");
    // The rows keep the spelling they had; blanks where the host writes NULL become NULL.
    EXPECT_EQ(plain.Rows("select cWhCode, cInvCode, iTopSum, cFrequency, iDays, dLastDate, "
                         "cWhPersonCode from WhInvContrapose order by rowid"),
              "01|a001|100|周|3|2024-05-06|p01\nr&d|A002|2.5|~|~|~|~\n");
    // Codes still compare without regard to letter case.
    EXPECT_EQ(plain.Rows("select count(*) from WhInvContrapose where cWhCode = 'R&D'"), "1\n");
    EXPECT_EQ(plain.Rows("select name from sqlite_master where sql like '%hosttext%'"), "");
    // Rows moved into the new tables are no change: the history starts empty.
    EXPECT_EQ(plain.Rows("select count(*) from whinv_change"), "0\n");
}

std::vector<std::string> Split(const std::string& lines) {
    std::vector<std::string> parts;
    std::istringstream stream(lines);
    for (std::string line; std::getline(stream, line);) {
        parts.push_back(line);
    }
    return parts;
}

// The second schema is the current one without the history.
TEST(SchemaUpgradeFromTheSecondTest, AFileGainsTheHistoryKeepingEveryRow) {
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/second.db";
    {
        PlainConnection second(path);
        ASSERT_TRUE(second.Execute(CurrentSchema())) << sqlite3_errmsg(second.Handle());
        std::string dropTriggers;
        for (const auto& name : Split(second.Rows("select name from sqlite_master where "
                                                  "type = 'trigger' and name like '%history%'"))) {
            dropTriggers += "drop trigger " + name + ";";
        }
        ASSERT_TRUE(second.Execute(
            dropTriggers +
            "drop table whinv_change_value; drop table whinv_change;"
            "drop table whinv_change_context; pragma user_version = 2;"
            "insert into Warehouse (cWhCode, cWhName) values ('01', '成品库');"
            "insert into Inventory (iId, cInvCode, cInvName) values (1, 'A001', '螺钉');"
            "insert into WhInvContrapose (cWhCode, cInvCode, iTopSum) values "
            "('01', 'A001', 12.345678);"))
            << sqlite3_errmsg(second.Handle());
    }
    std::string error;
    ASSERT_TRUE(OpenWithTheHost(path, error)) << error;
    PlainConnection plain(path);
    EXPECT_EQ(plain.Rows("pragma user_version"), CurrentVersion());
    EXPECT_EQ(plain.Rows("select cWhCode, cInvCode, iTopSum from WhInvContrapose"),
              "01|A001|12.345678\n");
    EXPECT_EQ(plain.Rows("select count(*) from whinv_change"), "0\n");
    // A plain connection names no writer: the change is recorded without a user.
    ASSERT_TRUE(plain.Execute("update WhInvContrapose set iTopSum = 0.5"));
    EXPECT_EQ(plain.Rows("select c.cKind, c.cUser, v.cField, v.cOldValue, v.cNewValue from "
                         "whinv_change c join whinv_change_value v on v.iChange = c.iChange"),
              "change|~|iTopSum|12.345678|0.5\n");
}

// A file whose tables are the current ones keeps them where they are: only an index or trigger
// made otherwise now is made again, one no longer made goes, and its rows and history are the
// same.
TEST(SchemaUpgradeOfCurrentTablesTest, MakesAgainOnlyWhatChangedAndKeepsTheTables) {
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/current_tables.db";
    const std::string rootPages =
        "select name, rootpage from sqlite_master where name in ('WhInvContrapose', "
        "'WhInvContrapose_cInvCode') order by name";
    std::string before;
    {
        PlainConnection earlier(path);
        ASSERT_TRUE(earlier.Execute(CurrentSchema())) << sqlite3_errmsg(earlier.Handle());
        ASSERT_TRUE(earlier.Execute(
            "insert into Warehouse (cWhCode, cWhName) values ('01', '成品库');"
            "insert into Inventory (iId, cInvCode, cInvName) values (1, 'A001', '螺钉');"
            "insert into WhInvContrapose (cWhCode, cInvCode, cFrequency, iFrequency, dLastDate) "
            "values ('01', 'A001', '天', 3, '2026-12-01');"
            "drop index WhInvContrapose_dNextDate; create index WhInvContrapose_dNextDate on "
            "WhInvContrapose (dNextDate) where dNextDate is not null;"
            "drop trigger WhInvContrapose_history_add;"
            "create trigger WhInvContrapose_history_add after insert on WhInvContrapose "
            "begin select 1; end; create trigger WhInvContrapose_no_longer_made after delete "
            "on WhInvContrapose begin select 1; end; pragma user_version = " +
            std::to_string(SchemaUpgrade::kVersion - 1)))
            << sqlite3_errmsg(earlier.Handle());
        before = earlier.Rows(rootPages);
    }
    std::string error;
    ASSERT_TRUE(OpenWithTheHost(path, error)) << error;
    PlainConnection plain(path);
    EXPECT_EQ(plain.Rows("pragma user_version"), CurrentVersion());
    EXPECT_EQ(plain.Rows(rootPages), before);
    QTemporaryDir fresh;
    PlainConnection current(fresh.path().toStdString() + "/fresh.db");
    ASSERT_TRUE(current.Execute(CurrentSchema()));
    const std::string statements =
        "select type, name, sql from sqlite_master where sql is not null order by type, name";
    EXPECT_EQ(plain.Rows(statements), current.Rows(statements));
    EXPECT_EQ(plain.Rows("select cInvCode, dNextDate from WhInvContrapose indexed by "
                         "WhInvContrapose_dNextDate where dNextDate <= '2026-12-31'"),
              "A001|2026-12-04\n");
    EXPECT_EQ(plain.Rows("select count(*) from whinv_change"), "1\n");
    // The trigger made again records an add.
    ASSERT_TRUE(
        plain.Execute("insert into Inventory (iId, cInvCode, cInvName) values (2, 'A002', "
                      "'螺母'); insert into WhInvContrapose (cWhCode, cInvCode) values "
                      "('01', 'A002')"));
    EXPECT_EQ(plain.Rows("select count(*) from whinv_change_value where cInvCode = 'A002'"), "2\n");
}

// The third and fourth schemas kept the history as the current one does, but knew only three
// kinds of entry.
std::string SchemaOfThreeKinds() {
    std::string schema = CurrentSchema();
    const std::string kinds = "('add', 'change', 'delete', 'import')";
    const auto at = schema.find(kinds);
    return at == std::string::npos
               ? std::string()
               : schema.replace(at, kinds.size(), "('add', 'change', 'delete')");
}

class SchemaUpgradeOfTheHistoryTest : public ::testing::TestWithParam<int> {};

// The entries stay exactly as they were, and the history's table, made anew for the kind an
// import adds, keeps its indexes.
TEST_P(SchemaUpgradeOfTheHistoryTest, AFileKeepsItsHistoryAndGainsTheImportKind) {
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/older.db";
    const std::string entries =
        "select c.iChange, c.dWhen, c.cUser, c.cKind, v.cWhCode, v.cInvCode, v.cField, "
        "v.cOldValue, typeof(v.cOldValue), v.cNewValue, typeof(v.cNewValue) from whinv_change c "
        "join whinv_change_value v on v.iChange = c.iChange order by v.rowid";
    const std::string indexes =
        "select name, tbl_name, sql from sqlite_master where type = 'index' and tbl_name like "
        "'whinv\\_change%' escape '\\' order by name";
    const std::string anImport =
        "insert into whinv_change (dWhen, cUser, cKind) values ('2026-01-01 00:00:00', 'demo', "
        "'import')";
    std::string before;
    {
        PlainConnection older(path);
        const std::string schema = SchemaOfThreeKinds();
        ASSERT_FALSE(schema.empty());
        ASSERT_TRUE(
            older.Execute(schema + "pragma user_version = " + std::to_string(GetParam()) +
                          ";"
                          "insert into Warehouse (cWhCode, cWhName) values ('01', '成品库');"
                          "insert into Inventory (iId, cInvCode, cInvName) values "
                          "(1, 'A001', '螺钉');"
                          "insert into whinv_change_context (iOne, cUser) values (1, 'demo');"
                          "insert into WhInvContrapose (cWhCode, cInvCode, iTopSum) values "
                          "('01', 'A001', 12.345678);"
                          "delete from whinv_change_context;"
                          "update WhInvContrapose set iTopSum = 100, dLastDate = '2024-05-06';"))
            << sqlite3_errmsg(older.Handle());
        ASSERT_FALSE(older.Execute(anImport));
        before = older.Rows(entries);
    }
    ASSERT_EQ(Split(before).size(), 5u) << before;
    std::string error;
    ASSERT_TRUE(OpenWithTheHost(path, error)) << error;
    PlainConnection plain(path);
    EXPECT_EQ(plain.Rows("pragma user_version"), CurrentVersion());
    EXPECT_EQ(plain.Rows(entries), before);
    EXPECT_EQ(plain.Rows("pragma integrity_check"), "ok\n");
    EXPECT_EQ(plain.Rows("pragma foreign_key_check"), "");
    {
        PlainConnection current(dir.path().toStdString() + "/current.db");
        ASSERT_TRUE(current.Execute(CurrentSchema()));
        EXPECT_EQ(plain.Rows(indexes), current.Rows(indexes));
    }
    // The next entry follows the kept ones, and may be an import's.
    ASSERT_TRUE(plain.Execute("delete from WhInvContrapose"));
    EXPECT_EQ(plain.Rows("select count(*), max(iChange) from whinv_change"), "3|3\n");
    EXPECT_TRUE(plain.Execute(anImport)) << sqlite3_errmsg(plain.Handle());
}

INSTANTIATE_TEST_SUITE_P(ThirdAndFourth, SchemaUpgradeOfTheHistoryTest, ::testing::Values(3, 4));

TEST_F(SchemaUpgradeTest, AnUpgradedFileOpensAgainUnchanged) {
    ASSERT_TRUE(Open()) << lastError;
    const auto size = std::filesystem::file_size(path);
    ASSERT_TRUE(Open()) << lastError;
    EXPECT_EQ(std::filesystem::file_size(path), size);
    EXPECT_EQ(PlainConnection(path).Rows("select count(*) from WhInvContrapose"), "2\n");
}

// Stands for a power cut or a killed program: the process ends at once, within the upgrade's
// transaction.
int KillWithinTheTransaction(void* connection) {
    static int calls = 0;
    if (sqlite3_get_autocommit(static_cast<sqlite3*>(connection)) == 0 && ++calls == 20) {
        raise(SIGKILL);
    }
    return 0;
}

TEST_F(SchemaUpgradeTest, AnUpgradeKilledHalfwayLeavesTheEarlierFileThatOpensAndUpgradesLater) {
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        sqlite3* db = nullptr;
        sqlite3_open(path.c_str(), &db);
        sqlite3_progress_handler(db, 100, KillWithinTheTransaction, db);
        std::string error;
        SchemaUpgrade::Run(db, error);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the upgrade ended first";
    ASSERT_TRUE(std::filesystem::exists(path + "-journal"));
    {
        PlainConnection first(path);
        RegisterLegacyTextCollation(first.Handle());
        EXPECT_EQ(first.Rows("pragma user_version"), "0\n");
        EXPECT_EQ(first.Rows("pragma integrity_check"), "ok\n");
        EXPECT_EQ(first.Rows("select cWhCode, cInvCode from WhInvContrapose order by rowid"),
                  "01|a001\nr&d |A002 \n");
        EXPECT_EQ(first.Rows("select count(*) from sqlite_master where name like '%before%'"),
                  "0\n");
    }
    ASSERT_TRUE(Open()) << lastError;
    EXPECT_EQ(PlainConnection(path).Rows("pragma user_version"), CurrentVersion());
}

TEST_F(SchemaUpgradeTest, AFileOfANewerProgramIsNotOpened) {
    {
        PlainConnection newer(dir.path().toStdString() + "/newer.db");
        ASSERT_TRUE(newer.Execute("create table t (a); pragma user_version = " +
                                  std::to_string(SchemaUpgrade::kVersion + 1)));
    }
    environment->accounts.Set("newer", "sqlite:" + dir.path().toStdString() + "/newer.db");
    ClsCommon service(environment);
    service.Init("newer");
    EXPECT_FALSE(service.Status());
    EXPECT_NE(service.LastError().find("newer"), std::string::npos) << service.LastError();
}

// Every opener goes through the service, not only the program's login: another program's
// database is never made into an account.
TEST_F(SchemaUpgradeTest, AnotherProgramsDatabaseIsNotMadeAnAccount) {
    const std::string other = dir.path().toStdString() + "/other.db";
    {
        PlainConnection file(other);
        ASSERT_TRUE(file.Execute("create table notes (a); insert into notes values ('kept')"));
    }
    environment->accounts.Set("other", "sqlite:" + other);
    ClsCommon service(environment);
    service.Init("other");
    EXPECT_FALSE(service.Status());
    PlainConnection file(other);
    EXPECT_EQ(file.Rows("select name from sqlite_master"), "notes\n");
    EXPECT_EQ(file.Rows("pragma user_version"), "0\n");
}

}  // namespace
}  // namespace zel
