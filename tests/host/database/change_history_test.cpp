#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host/database/sql_backend.h"
#include "host/login/login.h"
#include "support/test_database.h"

namespace zel {
namespace {

// The history the database keeps of the correspondence rows, written through each of the
// program's write paths and from outside the program.
class ChangeHistoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.AddWarehouse("01", "成品库");
        db.AddWarehouse("02", "原料库");
        db.AddInventory("A001", "螺钉");
        db.AddInventory("A002", "螺母");
        db.AddCorrespondence("01", "A001", {{"iTopSum", 1.234567}, {"iSafeNum", 3}});
        db.AddCorrespondence("02", "A001", {{"iTopSum", 1.234567}});
        Login::Values login;
        login.userId = "demo";
        login.curDate = "2026-01-15";
        db.Environment()->session = std::make_shared<Login>(login);
        reader = db.OpenBackend();
        service = db.OpenService();
        before = LastEntry();
    }

    // All rows of a query in the engine's own SQL, each "a|b|c", NULL as "~".
    std::string Rows(const std::string& sql) const {
        auto statement = reader->Prepare(sql);
        if (!statement) {
            return "error: " + reader->LastError();
        }
        std::string rows;
        StepResult step;
        while ((step = statement->Step()) == StepResult::Row) {
            for (int i = 0; i < statement->ColumnCount(); ++i) {
                rows += i > 0 ? "|" : "";
                rows += statement->ColumnType(i) == SqlValueType::Null
                            ? std::string("~")
                            : std::string(statement->ColumnText(i));
            }
            rows += "\n";
        }
        return step == StepResult::Done ? rows : "error: " + reader->LastError();
    }

    long LastEntry() const {
        return std::stol(Rows("select coalesce(max(iChange), 0) from whinv_change"));
    }

    // The entries written since the test's start: "kind|user", oldest first.
    std::string NewEntries() const {
        return Rows("select cKind, cUser from whinv_change where iChange > " +
                    std::to_string(before) + " order by iChange");
    }

    // Their fields, without who changed a row and when, which the writer fills itself:
    // "warehouse|item|field|old|new".
    std::string NewValues() const {
        return Rows(
            "select cWhCode, cInvCode, cField, cOldValue, cNewValue from whinv_change_value "
            "where iChange > " +
            std::to_string(before) +
            " and cField not in ('cCreatePerson', 'cModifyPerson', 'dModifyDate') "
            "order by iChange, cWhCode, cInvCode, cField");
    }

    // Who the program's writes are credited to: the login on a server, the program's user on a
    // file.
    std::string ProgramUser() const {
        if (!db.OnServer()) {
            return "demo";
        }
        std::string login = Rows("select session_user");
        login.pop_back();
        return login;
    }

    test::TestDatabase db;
    std::unique_ptr<SqlBackend> reader;
    std::shared_ptr<IClsCommon> service;
    long before = 0;
};

TEST_F(ChangeHistoryTest, TheEditorsSaveRecordsTheChangedFieldsWithTheirExactValues) {
    std::string message;
    ASSERT_TRUE(service->Modify(
        "<WhInvContrapose><cWhCode>01</cWhCode><cInvCode>A001</cInvCode>"
        "<iTopSum>12.345678</iTopSum><iSafeNum>3</iSafeNum><cFrequency>周</cFrequency>"
        "<cUserId>demo</cUserId></WhInvContrapose>",
        "WhInvContrapose", message))
        << message;
    EXPECT_EQ(NewEntries(), "change|" + ProgramUser() + "\n");
    // iSafeNum kept its value, so it is no change.
    EXPECT_EQ(NewValues(),
              "01|A001|cFrequency|~|周\n"
              "01|A001|iTopSum|1.234567|12.345678\n");
}

TEST_F(ChangeHistoryTest, AnAddRecordsEveryFieldItSet) {
    std::string message;
    ASSERT_TRUE(service->Add(
        "<WhInvContrapose><CWhCode>01</CWhCode><cInvCode>A002</cInvCode>"
        "<cWhPersonCode></cWhPersonCode><itopsum>100.123456</itopsum><iFrequency>1</iFrequency>"
        "<cFrequency>周</cFrequency><iDays>3</iDays><dLastDate>2005-01-01</dLastDate>"
        "<cUserId>demo</cUserId></WhInvContrapose>",
        "WhInvContrapose", message))
        << message;
    EXPECT_EQ(NewEntries(), "add|" + ProgramUser() + "\n");
    EXPECT_EQ(NewValues(),
              "01|A002|cFrequency|~|周\n"
              "01|A002|cInvCode|~|A002\n"
              "01|A002|cWhCode|~|01\n"
              "01|A002|dLastDate|~|2005-01-01\n"
              "01|A002|iDays|~|3\n"
              "01|A002|iFrequency|~|1\n"
              "01|A002|iTopSum|~|100.123456\n");
}

TEST_F(ChangeHistoryTest, ADeleteRecordsEveryFieldTheRowHeld) {
    std::string message;
    ASSERT_TRUE(
        service->Delete("A001' and  Cwhcode='01", "cInvCode", "WhInvContrapose", message, "demo"))
        << message;
    EXPECT_EQ(NewEntries(), "delete|" + ProgramUser() + "\n");
    EXPECT_EQ(NewValues(),
              "01|A001|cInvCode|A001|~\n"
              "01|A001|cWhCode|01|~\n"
              "01|A001|iSafeNum|3|~\n"
              "01|A001|iTopSum|1.234567|~\n");
}

TEST_F(ChangeHistoryTest, ASetUpdateIsOneEntryForAllTheRowsItChanged) {
    db.AddThousandCorrespondences("01");
    before = LastEntry();
    // As the multi-record window's set update and the due list's "counted today" write.
    ASSERT_TRUE(
        service->ExecuteX("update WhInvContrapose set  iLowSum=7.654321 where cWhCode='01'"))
        << service->LastError();
    ASSERT_TRUE(
        service->ExecuteX("update WhInvContrapose set dLastDate='2026-12-10' where cWhCode='01' "
                          "and cInvCode like 'B%'"))
        << service->LastError();
    EXPECT_EQ(NewEntries(), "change|" + ProgramUser() + "\nchange|" + ProgramUser() + "\n");
    EXPECT_EQ(Rows("select cField, count(*), min(cNewValue), max(cNewValue) from "
                   "whinv_change_value where iChange > " +
                   std::to_string(before) + " group by iChange, cField order by iChange"),
              "iLowSum|1001|7.654321|7.654321\ndLastDate|1000|2026-12-10|2026-12-10\n");
}

TEST_F(ChangeHistoryTest, TheRowByRowUpdateIsOneEntryPerRow) {
    for (const char* warehouse : {"01", "02"}) {
        ASSERT_TRUE(service->ExecuteX(std::string("update WhInvContrapose set iWastage=0.5 where "
                                                  "CWhCode='") +
                                      warehouse + "' and cInvCode='A001'"))
            << service->LastError();
    }
    EXPECT_EQ(NewEntries(), "change|" + ProgramUser() + "\nchange|" + ProgramUser() + "\n");
    EXPECT_EQ(NewValues(), "01|A001|iWastage|~|0.5\n02|A001|iWastage|~|0.5\n");
}

TEST_F(ChangeHistoryTest, AFailedWriteLeavesNoEntry) {
    // A day of week 9 breaks the row's rules: the statement changes nothing.
    EXPECT_FALSE(service->ExecuteX("update WhInvContrapose set cFrequency='周', iDays=9"));
    EXPECT_EQ(NewEntries(), "");
    EXPECT_TRUE(service->ExecuteX("update WhInvContrapose set iDays=2 where cWhCode='02'"))
        << service->LastError();
    EXPECT_EQ(NewEntries(), "change|" + ProgramUser() + "\n");
}

TEST_F(ChangeHistoryTest, AWriteThatLeavesEveryValueAsItWasIsNoEntry) {
    ASSERT_TRUE(db.Execute("update WhInvContrapose set iTopSum = iTopSum"));
    ASSERT_TRUE(service->ExecuteX("update WhInvContrapose set iSafeNum=3 where cWhCode='01'"))
        << service->LastError();
    EXPECT_EQ(NewEntries(), "");
}

// The codes are stored without trailing blanks, and recorded as stored; their taking off is no
// change of its own.
TEST_F(ChangeHistoryTest, CodesAreRecordedAsStored) {
    ASSERT_TRUE(
        db.Execute("insert into WhInvContrapose (cWhCode, cInvCode) values ('02 ', 'A002  ')"));
    EXPECT_EQ(Rows("select count(*) from whinv_change where iChange > " + std::to_string(before)),
              "1\n");
    EXPECT_EQ(NewValues(), "02|A002|cInvCode|~|A002\n02|A002|cWhCode|~|02\n");
}

// A file's history is row by row and sees the one row change its code; a server's is of the whole
// statement and matches rows by their key, so a row whose key changed is recorded as the row it
// was and the row it became. Both keep the old and the new codes for a restore.
TEST_F(ChangeHistoryTest, AChangeOfTheKeyKeepsTheOldAndTheNewCodes) {
    ASSERT_TRUE(service->ExecuteX("update WhInvContrapose set cInvCode='A002' where cWhCode='02'"))
        << service->LastError();
    EXPECT_EQ(NewEntries(), "change|" + ProgramUser() + "\n");
    EXPECT_EQ(NewValues(), db.OnServer() ? "02|A001|cInvCode|A001|~\n"
                                           "02|A001|cWhCode|02|~\n"
                                           "02|A001|iTopSum|1.234567|~\n"
                                           "02|A002|cInvCode|~|A002\n"
                                           "02|A002|cWhCode|~|02\n"
                                           "02|A002|iTopSum|~|1.234567\n"
                                         : "02|A002|cInvCode|A001|A002\n");
}

// A write that does not go through the program (the engine's shell, another tool) is recorded
// too. A server knows its login and groups it by statement; a file knows neither, so each row is
// an entry of its own without a user, never credited to the program's last user.
TEST_F(ChangeHistoryTest, AWriteFromOutsideTheProgramIsRecordedWithoutBorrowingItsUser) {
    ASSERT_TRUE(service->ExecuteX("update WhInvContrapose set iDays=1 where cWhCode='01'"))
        << service->LastError();
    ASSERT_TRUE(db.Execute("update WhInvContrapose set iTopSum=2.5 where cInvCode='A001'"));
    const std::string outside =
        db.OnServer() ? "change|" + ProgramUser() + "\n" : std::string("change|~\nchange|~\n");
    EXPECT_EQ(NewEntries(), "change|" + ProgramUser() + "\n" + outside);
    EXPECT_EQ(NewValues(),
              "01|A001|iDays|~|1\n01|A001|iTopSum|1.234567|2.5\n02|A001|iTopSum|1.234567|2.5\n");
}

// An action that writes row by row (a batch add, a modify row by row) is one entry for as long as
// its writes are of one kind: what it changed can be looked back at and undone as one.
TEST_F(ChangeHistoryTest, AStepKeepsItsConsecutiveWritesOfOneKindInOneEntry) {
    const std::string user = ProgramUser();
    service->BeginChangeStep();
    for (const char* statement :
         {"update WhInvContrapose set iWastage=0.5 where cWhCode='01' and cInvCode='A001'",
          "update WhInvContrapose set iWastage=0.25 where cWhCode='02' and cInvCode='A001'",
          "insert into WhInvContrapose (cWhCode, cInvCode) values ('01', 'A002')",
          "insert into WhInvContrapose (cWhCode, cInvCode) values ('02', 'A002')",
          "update WhInvContrapose set iDays=3 where cWhCode='01' and cInvCode='A002'"}) {
        ASSERT_TRUE(service->ExecuteX(statement)) << statement << ": " << service->LastError();
    }
    // Writing what a row holds already changes nothing, and takes nothing from the entry.
    ASSERT_TRUE(service->ExecuteX(
        "update WhInvContrapose set iDays=3 where cWhCode='01' and cInvCode='A002'"));
    service->EndChangeStep();
    ASSERT_TRUE(service->ExecuteX("update WhInvContrapose set iDays=4 where cWhCode='02'"));
    EXPECT_EQ(NewEntries(),
              "change|" + user + "\nadd|" + user + "\nchange|" + user + "\nchange|" + user + "\n");
    EXPECT_EQ(Rows("select count(distinct cWhCode), count(*) from whinv_change_value where "
                   "iChange > " +
                   std::to_string(before) +
                   " and cField not in ('cCreatePerson', 'cModifyPerson', 'dModifyDate') "
                   "group by iChange order by iChange"),
              "2|2\n2|4\n1|1\n1|2\n");
}

// An import is one entry whatever its statements do, so that it is looked back at and undone as
// one; a statement the transaction took back takes its share of the entry with it.
TEST_F(ChangeHistoryTest, AnImportStepKeepsEveryWriteInOneEntryOfItsOwnKind) {
    const std::string user = ProgramUser();
    service->BeginImportStep();
    ASSERT_TRUE(service->BeginTrans());
    ASSERT_TRUE(service->ExecuteX("update WhInvContrapose set iDays=9 where cWhCode='02'"));
    ASSERT_TRUE(service->RollbackTrans());
    ASSERT_TRUE(service->BeginTrans());
    for (const char* statement :
         {"update WhInvContrapose set iDays=3 where cWhCode='01' and cInvCode='A001'",
          "insert into WhInvContrapose (cWhCode, cInvCode, iTopSum) values ('01', 'A002', 4)",
          "update WhInvContrapose set iWastage=0.25 where cWhCode='02' and cInvCode='A001'",
          "insert into WhInvContrapose (cWhCode, cInvCode) values ('02', 'A002')",
          "delete from WhInvContrapose where cWhCode='02' and cInvCode='A002'"}) {
        ASSERT_TRUE(service->ExecuteX(statement)) << statement << ": " << service->LastError();
    }
    ASSERT_TRUE(service->CommitTrans()) << service->LastError();
    // Another writer in the middle of the step keeps an entry of his own.
    ASSERT_TRUE(
        db.Execute("update WhInvContrapose set iSafeNum=4 where cWhCode='01' and cInvCode='A001'"));
    ASSERT_TRUE(service->ExecuteX("update WhInvContrapose set iDays=4 where cWhCode='01'"));
    service->EndChangeStep();
    ASSERT_TRUE(service->ExecuteX("update WhInvContrapose set iDays=5 where cWhCode='01'"));
    const std::string outsider = db.OnServer() ? user : "~";
    EXPECT_EQ(NewEntries(), "import|" + user + "\nchange|" + outsider + "\nchange|" + user + "\n");
    EXPECT_EQ(Rows("select cWhCode, cInvCode, cField, cOldValue, cNewValue from whinv_change_value "
                   "where iChange = (select min(iChange) from whinv_change where iChange > " +
                   std::to_string(before) +
                   ") and cField in ('cWhCode', 'iDays', 'iTopSum', 'iWastage') "
                   "order by cWhCode, cInvCode, cField, cOldValue is not null"),
              "01|A001|iDays|~|3\n"
              "01|A001|iDays|3|4\n"
              "01|A002|cWhCode|~|01\n"
              "01|A002|iDays|~|4\n"
              "01|A002|iTopSum|~|4\n"
              "02|A001|iWastage|~|0.25\n"
              "02|A002|cWhCode|~|02\n"
              "02|A002|cWhCode|02|~\n");
}

// Another writer between two writes of a step keeps his own entry, and the step its own.
TEST_F(ChangeHistoryTest, AWriteFromOutsideDuringAStepIsNotJoinedToIt) {
    service->BeginChangeStep();
    ASSERT_TRUE(service->ExecuteX("update WhInvContrapose set iDays=1 where cWhCode='01'"));
    ASSERT_TRUE(db.Execute("update WhInvContrapose set iTopSum=2.5 where cWhCode='02'"));
    ASSERT_TRUE(service->ExecuteX("update WhInvContrapose set iDays=2 where cWhCode='02'"));
    service->EndChangeStep();
    const std::string user = ProgramUser();
    EXPECT_EQ(Rows("select cUser, cWhCode, cField from whinv_change e join whinv_change_value v "
                   "on v.iChange = e.iChange where e.iChange > " +
                   std::to_string(before) +
                   " and cField in ('iDays', 'iTopSum') order by e.iChange, cWhCode"),
              user + "|01|iDays\n" + user + "|02|iDays\n" + (db.OnServer() ? user : "~") +
                  "|02|iTopSum\n");
}

}  // namespace
}  // namespace zel
