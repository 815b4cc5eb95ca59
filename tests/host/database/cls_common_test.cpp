#include "host/database/cls_common.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "host/database/account_database.h"
#include "host/database/database_texts.h"
#include "host/database/session_locks.h"
#include "host/database/static_recordset.h"
#include "support/test_database.h"

namespace zel {
namespace {

class ClsCommonTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.AddWarehouse("01", "成品库");
        db.AddWarehouse("02", "原料库");
        db.AddInventory("A001", "螺钉");
        db.AddInventory("A002", "螺母");
        db.AddPerson("P01", "张三");
        service = db.OpenService();
    }

    long Count(const std::string& where = "1=1") {
        return std::stol(
            db.Scalar("select count(*) from WhInvContrapose where " + where).ToString());
    }

    std::shared_ptr<StaticRecordset> OpenLazily(std::string sql) {
        auto rows = std::dynamic_pointer_cast<StaticRecordset>(service->OpenX(sql));
        EXPECT_TRUE(rows && rows->Reading()) << service->LastError();
        return rows;
    }

    std::vector<std::string> LogLines(const std::string& log) {
        std::ifstream file(log);
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    test::TestDatabase db;
    std::shared_ptr<IClsCommon> service;
};

TEST_F(ClsCommonTest, InitRefusesAMissingFileAndCreatesNone) {
    const std::string missing = db.Folder() + "/missing.db";
    db.Environment()->accounts.Set("missing", "sqlite:" + missing);
    ClsCommon other(db.Environment());
    other.Init("missing");
    EXPECT_FALSE(other.Status());
    EXPECT_FALSE(other.LastError().empty());
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST_F(ClsCommonTest, InitRefusesAFileThatIsNoDatabase) {
    const std::string text = db.Folder() + "/notes.db";
    std::ofstream(text) << "not a database, just some text that is long enough to be read";
    ClsCommon other(db.Environment());
    other.Init(text);
    EXPECT_FALSE(other.Status());
}

TEST_F(ClsCommonTest, OpenXHoldsRowsWithTheirTypes) {
    db.AddCorrespondence("01", "A001", {{"iTopSum", 100}, {"iWastage", 1.5}});
    std::string sql =
        "select cWhCode, iTopSum, iWastage, cWhPersonCode from WhInvContrapose order by cWhCode";
    auto rows = service->OpenX(sql);
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->RecordCount(), 1);
    EXPECT_EQ(*rows->Fields("CWHCODE"), Variant("01"));
    EXPECT_EQ(*rows->Fields("iTopSum"), Variant(100));
    EXPECT_EQ(*rows->Fields("iwastage"), Variant(1.5));
    EXPECT_TRUE(rows->Fields("cWhPersonCode")->IsNull());
    EXPECT_FALSE(rows->Fields("nosuchfield").has_value());
    EXPECT_EQ(rows->FieldDefinedSize(rows->FieldIndex("cWhCode")), 10);
    rows->MoveNext();
    EXPECT_TRUE(rows->Eof());
    EXPECT_FALSE(rows->Fields(0).has_value());
}

TEST_F(ClsCommonTest, OpenXOfABadStatementGivesNothingAndAReason) {
    std::string sql = "select nosuchcolumn from WhInvContrapose";
    EXPECT_EQ(service->OpenX(sql), nullptr);
    EXPECT_NE(service->LastError().find("nosuchcolumn"), std::string::npos);
}

TEST_F(ClsCommonTest, ASecondStatementIsNeverRun) {
    db.AddCorrespondence("01", "A001");
    std::string sql = "select * from Warehouse; delete from WhInvContrapose";
    EXPECT_EQ(service->OpenX(sql), nullptr);
    EXPECT_FALSE(service->ExecuteX(sql));
    EXPECT_EQ(Count(), 1);
}

TEST_F(ClsCommonTest, QueriesThatDifferOnlyInQuotedValuesEachReadTheirOwnRows) {
    db.AddWarehouse("0'1", "引号库");
    struct Case {
        std::string code;
        std::string name;  // empty: no row
    };
    const Case cases[] = {
        {"01", "成品库"},   {"02", "原料库"}, {"01  ", "成品库"},
        {"0''1", "引号库"}, {"09", ""},       {"01", "成品库"},
    };
    for (const auto& c : cases) {
        auto rows = service->OpenX("select top 1 cWhName from Warehouse where cWhCode='" + c.code +
                                   "' and cWhName<>'' and 1=1");
        ASSERT_TRUE(rows) << c.code;
        EXPECT_EQ(rows->Eof() ? std::string() : rows->Fields(0)->ToString(), c.name) << c.code;
    }
}

TEST_F(ClsCommonTest, QuotedValuesKeepTheirMeaningWhereverTheyStand) {
    auto rows = service->OpenX("select 'fixed', cWhCode from Warehouse where cWhCode='01'");
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->Fields(0)->ToString(), "fixed");
    if (db.OnServer()) {
        return;  // the server names an expression column itself, and takes no quoted names
    }
    EXPECT_EQ(rows->FieldName(0), "'fixed'");
    // A name written as a quoted text cannot be a parameter: the query runs as written.
    rows = service->OpenX(
        "select cWhCode from Warehouse where cWhCode='01' collate 'nocase' order by 1");
    ASSERT_TRUE(rows) << service->LastError();
    EXPECT_EQ(rows->RecordCount(), 1);
}

TEST_F(ClsCommonTest, ExecuteXIsTrueOnlyWhenAWriteChangedRows) {
    db.AddCorrespondence("01", "A001");
    struct Case {
        std::string sql;
        bool expected;
    };
    const Case cases[] = {
        {"update WhInvContrapose set iTopSum=5 where cInvCode='A001'", true},
        {"update WhInvContrapose set iTopSum=5 where cInvCode='none'", false},
        {"delete from WhInvContrapose where cInvCode='none'", false},
        {"select * from Warehouse where 1=2", true},
        {"update WhInvContrapose set nosuch=1", false},
    };
    for (auto c : cases) {
        EXPECT_EQ(service->ExecuteX(c.sql), c.expected) << c.sql;
    }
    // The reason is the call's own, never one an earlier call left behind.
    EXPECT_FALSE(service->ExecuteX(cases[1].sql));
    EXPECT_EQ(service->LastError(), DatabaseTexts::Text("Zel.HOST.DB.no_row_changed"));
    EXPECT_TRUE(service->ExecuteX(cases[0].sql));
    EXPECT_EQ(service->LastError(), "");
}

TEST_F(ClsCommonTest, DeleteRemovesExactlyTheOneRowOfTheComponentsCondition) {
    db.AddCorrespondence("01", "A001");
    db.AddCorrespondence("02", "A001");
    db.AddCorrespondence("01", "A002");
    std::string condition = "A001' and  Cwhcode='02";
    std::string key = "cInvCode";
    std::string message;
    ASSERT_TRUE(service->Delete(condition, key, "WhInvContrapose", message, "demo")) << message;
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(Count("cWhCode='02'"), 0);
}

TEST_F(ClsCommonTest, DeleteOfNothingOrOfManyRowsChangesNothing) {
    db.AddCorrespondence("01", "A001");
    db.AddCorrespondence("02", "A001");
    struct Case {
        std::string condition;
        std::string key;
    };
    const Case cases[] = {
        {"A009' and  Cwhcode='01", "cInvCode"},   // no such row
        {"A001", "cInvCode"},                     // both warehouses
        {"x' or '1'='1", "cInvCode"},             // every row
        {"A001' and  nosuch='1", "cInvCode"},     // the database refuses it
        {"A001", "cInvCode='A001' or cInvCode"},  // not a column name
    };
    for (auto c : cases) {
        std::string message;
        EXPECT_FALSE(service->Delete(c.condition, c.key, "WhInvContrapose", message, "demo"))
            << c.condition;
        EXPECT_FALSE(message.empty()) << c.condition;
        EXPECT_EQ(Count(), 2) << c.condition;
    }
}

// A row is deleted only by a user who may write its warehouse, item and storekeeper, as a save
// requires; a read grant is not enough.
TEST_F(ClsCommonTest, DeleteNeedsTheRightToWriteTheRow) {
    db.AddPerson("P1");
    db.AddCorrespondence("01", "A001");
    db.AddCorrespondence("02", "A001");
    db.AddCorrespondence("02", "A002", {{"cWhPersonCode", "P1"}});
    ASSERT_TRUE(db.Execute("update aa_rowauth_object set bControlled=1"));
    ASSERT_TRUE(db.Execute("insert into aa_user values ('u01','x',0)"));
    ASSERT_TRUE(
        db.Execute("insert into aa_rowauth values ('u01','Warehouse','01','R'), "
                   "('u01','Warehouse','02','W'), ('u01','Inventory','A001','W'), "
                   "('u01','Inventory','A002','W')"));
    struct Case {
        const char* condition;
        const char* user;
        const char* refusal;
        const char* refused;
    };
    const Case cases[] = {
        {"A001' and  Cwhcode='01", "u01", "Zel.HOST.DB.no_write_warehouse", "01"},
        {"A002' and  Cwhcode='02", "u01", "Zel.HOST.DB.no_write_person", "P1"},
        {"A001' and  Cwhcode='02", "nobody", "Zel.HOST.DB.unknown_user", "nobody"},
    };
    for (const auto& c : cases) {
        std::string message;
        EXPECT_FALSE(service->Delete(c.condition, "cInvCode", "WhInvContrapose", message, c.user))
            << c.condition;
        EXPECT_EQ(message, DatabaseTexts::Format(c.refusal, {c.refused}));
        EXPECT_EQ(Count(), 3) << c.condition;
    }
    std::string message;
    EXPECT_TRUE(
        service->Delete("A001' and  Cwhcode='02", "cInvCode", "WhInvContrapose", message, "u01"))
        << message;
    EXPECT_EQ(Count("cWhCode='02' and cInvCode='A001'"), 0);
}

TEST_F(ClsCommonTest, OnlyAnAdministratorDeletesARowThatNamesNoBusinessObject) {
    ASSERT_TRUE(db.Execute("insert into aa_user values ('u01','x',0)"));
    std::string message;
    EXPECT_FALSE(service->Delete("02", "cWhCode", "Warehouse", message, "u01"));
    EXPECT_EQ(message, DatabaseTexts::Format("Zel.HOST.DB.no_write_table", {"Warehouse"}));
    ASSERT_TRUE(service->Delete("02", "cWhCode", "Warehouse", message, "demo")) << message;
    EXPECT_EQ(db.Scalar("select count(*) from Warehouse"), Variant(1));
}

TEST_F(ClsCommonTest, ServiceWithoutDatabaseRefusesEverything) {
    ClsCommon closed(db.Environment());
    std::string sql = "select 1";
    std::string message;
    std::string xml = "<WhInvContrapose/>";
    std::string key = "cInvCode";
    EXPECT_FALSE(closed.Status());
    EXPECT_EQ(closed.OpenX(sql), nullptr);
    EXPECT_EQ(closed.Openforward(sql), nullptr);
    EXPECT_FALSE(closed.ExecuteX(sql));
    EXPECT_FALSE(closed.Add(xml, "WhInvContrapose", message));
    EXPECT_FALSE(message.empty());
    EXPECT_FALSE(closed.Delete(sql, key, "WhInvContrapose", message, "demo"));
}

TEST_F(ClsCommonTest, LogHoldsEveryStatementWithRowsAndTime) {
    db.AddCorrespondence("01", "A001");
    db.AddCorrespondence("01", "A002");
    const std::string log = db.Folder() + "/sql.log";
    db.Environment()->sqlLogPath = log;
    std::string read = "select top 1 * from WhInvContrapose";
    std::string change = "update WhInvContrapose set iDays=2";
    std::string stream = "select cInvCode from WhInvContrapose";
    std::string bad = "select nosuch from Warehouse";
    service->OpenX(read);
    service->ExecuteX(change);
    auto rows = service->Openforward(stream);
    rows->MoveNext();
    rows->MoveNext();
    rows.reset();
    service->OpenX(bad);

    const auto lines = LogLines(log);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NE(lines[0].find("\tOpenX\t1\t"), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find("select * from WhInvContrapose limit 1"), std::string::npos);
    EXPECT_NE(lines[1].find("\tExecuteX\t2\t"), std::string::npos) << lines[1];
    EXPECT_NE(lines[2].find("\tOpenforward\t2\t"), std::string::npos) << lines[2];
    EXPECT_NE(lines[3].find("\t-1\t"), std::string::npos) << lines[3];
    EXPECT_NE(lines[3].find("nosuch"), std::string::npos);
}

TEST_F(ClsCommonTest, OpenXLogsABigResultWhenItsRowsStop) {
    db.AddThousandCorrespondences("01");
    const std::string log = db.Folder() + "/sql.log";
    db.Environment()->sqlLogPath = log;
    auto rows = OpenLazily("select cInvCode from WhInvContrapose order by cInvCode");
    ASSERT_TRUE(rows);
    EXPECT_TRUE(LogLines(log).empty());
    EXPECT_EQ(rows->RecordCount(), 1000);
    const auto complete = LogLines(log);
    ASSERT_EQ(complete.size(), 1u);
    EXPECT_NE(complete[0].find("\tOpenX\t1000\t"), std::string::npos) << complete[0];

    auto failing = OpenLazily(
        "select case when i < 100 then i else abs(i - i - 9223372036854775807 - 1) end "
        "from Numbers");
    ASSERT_TRUE(failing);
    while (!failing->Eof()) {
        failing->MoveNext();
    }
    EXPECT_FALSE(failing->IsOpen());
    const auto failed = LogLines(log);
    ASSERT_EQ(failed.size(), 2u);
    EXPECT_NE(failed[1].find("\tOpenX\t-1\t"), std::string::npos) << failed[1];
    EXPECT_TRUE(failed[1].find("overflow") != std::string::npos ||
                failed[1].find("out of range") != std::string::npos)
        << failed[1];
}

// The count runs on a thread of its own; the test waits for it, long enough for a loaded machine.
TEST_F(ClsCommonTest, OpenXLearnsItsCountFromASecondConnection) {
    db.AddThousandCorrespondences("01");
    auto rows = OpenLazily("select cInvCode from WhInvContrapose order by cInvCode");
    ASSERT_TRUE(rows);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (rows->KnownRecordCount() < 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_TRUE(rows->Reading());
    EXPECT_EQ(rows->KnownRecordCount(), 1000);
}

// A write on the connection of a half-read result: the result first reads every row as it was.
TEST_F(ClsCommonTest, EveryWriteLetsAHalfReadResultReadItsRowsFirst) {
    db.AddThousandCorrespondences("01");
    db.AddInventory("Z001", "螺杆");
    const std::string query = "select cInvCode, iTopSum from WhInvContrapose order by cInvCode";
    std::string message;
    struct Case {
        const char* what;
        std::function<bool()> write;
    };
    const Case cases[] = {
        {"ExecuteX", [&] { return service->ExecuteX("update WhInvContrapose set iTopSum=7"); }},
        // The new and the deleted row sort last, where the result has not read yet.
        {"Add",
         [&] {
             return service->Add(
                 "<WhInvContrapose><CWhCode>01</CWhCode><cInvCode>Z001</cInvCode>"
                 "<cWhPersonCode></cWhPersonCode><itopsum>100</itopsum><ilowsum>10</ilowsum>"
                 "<isafenum>20</isafenum><iWastage>1</iWastage><iFrequency>1</iFrequency>"
                 "<cFrequency>周</cFrequency><iDays>3</iDays><dLastDate>2005-01-01</dLastDate>"
                 "<cUserId>demo</cUserId></WhInvContrapose>",
                 "WhInvContrapose", message);
         }},
        {"Delete",
         [&] { return service->Delete("Z001", "cInvCode", "WhInvContrapose", message, "demo"); }},
    };
    for (const auto& c : cases) {
        const Variant before = db.Scalar(
            "select group_concat(cInvCode || ':' || iTopSum, ',') from (" + query + ") as t");
        auto rows = OpenLazily(query);
        ASSERT_TRUE(rows);
        ASSERT_TRUE(c.write()) << c.what << ": " << message;
        EXPECT_FALSE(rows->Reading()) << c.what;
        std::string read;
        for (; !rows->Eof(); rows->MoveNext()) {
            read += (read.empty() ? "" : ",") + rows->Fields(0)->ToString() + ":" +
                    rows->Fields(1)->ToString();
        }
        EXPECT_EQ(read, before.ToString()) << c.what;
    }
}

TEST_F(ClsCommonTest, ARolledBackDeleteLeavesAHalfReadResultWhole) {
    db.AddThousandCorrespondences("01");
    auto rows = OpenLazily("select cInvCode from WhInvContrapose order by cInvCode");
    ASSERT_TRUE(rows);
    std::string condition = "01";
    std::string key = "cWhCode";
    std::string message;
    EXPECT_FALSE(service->Delete(condition, key, "WhInvContrapose", message, "demo"));
    EXPECT_TRUE(rows->IsOpen());
    EXPECT_EQ(rows->RecordCount(), 1000);
    EXPECT_EQ(Count(), 1000);
}

TEST_F(ClsCommonTest, SessionLocksExcludeASecondServiceOfTheSameProcess) {
    auto& first = dynamic_cast<ISessionLocks&>(*service);
    auto second = db.OpenService();
    auto& other = dynamic_cast<ISessionLocks&>(*second);
    std::string holder;
    ASSERT_TRUE(first.TryAcquire("WhInvContrapose", "demo@host", holder));
    EXPECT_FALSE(other.TryAcquire("whinvcontrapose", "other@host", holder));
    EXPECT_EQ(holder, "demo@host");
    first.Release("WhInvContrapose");
    EXPECT_TRUE(other.TryAcquire("whinvcontrapose", "other@host", holder));
}

TEST_F(ClsCommonTest, CreateAccountDatabaseKeepsTheDataOfAnExistingAccount) {
    db.AddCorrespondence("01", "A001");
    std::string error;
    const bool made = db.OnServer() ? CreateServerAccount(db.Path(), error)
                                    : CreateAccountDatabase(db.Path(), error);
    ASSERT_TRUE(made) << error;
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(db.Scalar("select cValue from AccInformation where cID='19'"), Variant("2"));
    EXPECT_FALSE(CreateAccountDatabase(db.Folder() + "/no/such/folder/x.db", error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace zel
