#include "history/restore_command.h"

#include <gtest/gtest.h>

#include "batchadd/batch_saver.h"
#include "component/support/failing_db.h"
#include "component/support/main_window_fixture.h"
#include "core/change_step.h"
#include "core/text_escaping.h"
#include "history/change_restore.h"
#include "interfaces/pub.h"

namespace korvel {
namespace {

class RestoreCommandTest : public test::MainWindowTest {
protected:
    void SetUp() override {
        database.AddWarehouse("01");
        database.AddWarehouse("02");
        database.AddPerson("P01");
        for (const char* item : {"A001", "A002", "A003", "O'1"}) {
            database.AddInventory(item);
        }
        BindContext();
    }

    // Writes as the program does, and gives the history entry the statement made.
    long long Write(const std::string& sql) {
        EXPECT_TRUE(context.login.db->ExecuteX(sql))
            << sql << ": " << context.login.db->LastError();
        return NewestEntry();
    }

    long long NewestEntry() {
        return std::stoll(
            database.Scalar("select coalesce(max(iChange), 0) from whinv_change").ToString());
    }

    // Every restorable field of the row with its stored type, or "none" without a row.
    std::string Row(const std::string& warehouse, const std::string& item) {
        const std::string where = " from WhInvContrapose where cWhCode=" + SqlQuoted(warehouse) +
                                  " and cInvCode=" + SqlQuoted(item);
        if (database.Scalar("select count(*)" + where).ToString() == "0") {
            return "none";
        }
        std::string text;
        for (const CorrespondenceField* field : RestorableFields()) {
            const zel::Variant value =
                database.Scalar("select " + std::string(field->column) + where);
            const char* type = value.IsNull()      ? "null"
                               : value.IsReal()    ? "real"
                               : value.IsInteger() ? "int"
                                                   : "text";
            text += std::string(field->column) + "=" + type + ":" + value.ToString() + " ";
        }
        return text;
    }

    std::string LastMessage() const {
        const auto texts = MessageTexts();
        return texts.empty() ? std::string() : texts.back();
    }

    bool Undo(long long change) {
        return RestoreCommand::UndoEntry(context, change, [this] { ++refreshes; });
    }

    int refreshes = 0;
};

TEST_F(RestoreCommandTest, UndoOfASetUpdatePutsBackEachRowsExactValueAndIsItselfRecorded) {
    database.AddCorrespondence("01", "A001", {{"iTopSum", 12.345678}});
    database.AddCorrespondence("01", "A002");
    database.AddCorrespondence("01", "A003", {{"iTopSum", 5}});
    database.AddCorrespondence("02", "A001", {{"iTopSum", 1}});
    const std::string before = Row("01", "A001") + Row("01", "A002") + Row("01", "A003");
    const long long update = Write("update WhInvContrapose set iTopSum=9.5 where cWhCode='01'");

    EXPECT_TRUE(Undo(update));

    EXPECT_EQ(Row("01", "A001") + Row("01", "A002") + Row("01", "A003"), before);
    EXPECT_EQ(database.Scalar("select iTopSum from WhInvContrapose where cWhCode='02'").ToString(),
              "1");
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(LastMessage(), "已恢复 3 行。");
    const long long restore = NewestEntry();
    EXPECT_GT(restore, update);
    EXPECT_EQ(
        database.Scalar("select cKind from whinv_change where iChange=" + std::to_string(restore))
            .ToString(),
        "change");
    EXPECT_EQ(database
                  .Scalar("select count(*) from whinv_change_value where iChange=" +
                          std::to_string(restore) + " and cField='iTopSum'")
                  .ToString(),
              "3");
}

TEST_F(RestoreCommandTest, UndoOfASaveSetsBackTheCycleDatePersonAndEmptiedFieldsTogether) {
    database.AddCorrespondence("01", "A001",
                               {{"cFrequency", "月"},
                                {"iDays", 20},
                                {"iFrequency", 2},
                                {"dLastDate", "2024-01-31"},
                                {"cWhPersonCode", "P01"},
                                {"iWastage", 0.125},
                                {"iSafeNum", 12.345678}});
    const std::string before = Row("01", "A001");
    // A week cycle's day cannot be 20, nor a month's unit stand with day 5 set back first: the
    // fields go back in one statement.
    const long long save = Write(
        "update WhInvContrapose set cFrequency='周', iDays=5, dLastDate='2024-03-01', "
        "cWhPersonCode=null, iWastage=null, iLowSum=3 where cWhCode='01' and cInvCode='A001'");

    EXPECT_TRUE(Undo(save));

    EXPECT_EQ(Row("01", "A001"), before);
}

// The batch add made three rows in one statement; one of them was changed since.
class RestoreOfAnAddTest : public RestoreCommandTest {
protected:
    void SetUp() override {
        RestoreCommandTest::SetUp();
        add = Write(
            "insert into WhInvContrapose (cWhCode, cInvCode, iTopSum, dLastDate) select '02', "
            "cInvCode, 7.25, '2024-02-29' from Inventory where cInvCode in ('A001', 'A002', "
            "'A003')");
        Write("update WhInvContrapose set iTopSum=8 where cWhCode='02' and cInvCode='A002'");
    }

    long long add = 0;
};

TEST_F(RestoreOfAnAddTest, YesDeletesTheRowsStillAsAddedAndKeepsTheOneChangedSince) {
    database.Dialogs().QueueAnswer(zel::kAnswerYes);

    EXPECT_TRUE(Undo(add));

    const auto texts = MessageTexts();
    ASSERT_EQ(texts.size(), 2U);
    EXPECT_EQ(texts[0],
              "有 1 行此后又被修改过（02/A002），这些行将保持不变。\n是否恢复其余 2 行？");
    EXPECT_EQ(texts[1], "已恢复 2 行。");
    EXPECT_EQ(Row("02", "A001"), "none");
    EXPECT_EQ(Row("02", "A003"), "none");
    EXPECT_NE(Row("02", "A002"), "none");
}

TEST_F(RestoreOfAnAddTest, NoRestoresNothing) {
    database.Dialogs().QueueAnswer(zel::kAnswerNo);
    const long long before = NewestEntry();

    EXPECT_FALSE(Undo(add));

    EXPECT_EQ(MessageTexts().size(), 1U);
    EXPECT_EQ(NewestEntry(), before);
    EXPECT_EQ(refreshes, 0);
}

TEST_F(RestoreCommandTest, UndoOfSeveralEntriesIsOneWriteRecordedOnce) {
    // Statements of their own, an entry each, as separate saves or another tool write them.
    std::vector<long long> adds;
    for (const char* item : {"A001", "A002", "O''1"}) {
        adds.push_back(
            Write("insert into WhInvContrapose (cWhCode, cInvCode, iTopSum) values ('01', '" +
                  std::string(item) + "', 1.5)"));
    }
    const long long before = NewestEntry();

    EXPECT_TRUE(RestoreCommand::UndoEntries(context, adds, {}));

    EXPECT_EQ(database.Scalar("select count(*) from WhInvContrapose").ToString(), "0");
    EXPECT_EQ(NewestEntry(), before + 1);
    EXPECT_EQ(LastMessage(), "已恢复 3 行。");
}

std::string KindOf(zel::test::TestDatabase& database, long long change) {
    return database.Scalar("select cKind from whinv_change where iChange=" + std::to_string(change))
        .ToString();
}

// A batch add saves each item on its own, all in one entry, so that one undo takes the batch back.
TEST_F(RestoreCommandTest, ABatchAddIsOneEntryThatOneUndoTakesBack) {
    const long long before = NewestEntry();
    BatchSaver saver(context, {});
    ASSERT_EQ(saver.SaveBatch("01", {"A001", "A002", "A003"}).saved, 3);
    ASSERT_EQ(NewestEntry(), before + 1);
    EXPECT_EQ(KindOf(database, before + 1), "add");

    EXPECT_TRUE(Undo(before + 1));

    EXPECT_EQ(database.Scalar("select count(*) from WhInvContrapose").ToString(), "0");
    EXPECT_EQ(LastMessage(), "已恢复 3 行。");
}

// An import adds rows and changes others in one entry; one undo deletes the rows it added and puts
// back every value it changed, each as it was stored.
TEST_F(RestoreCommandTest, UndoOfAnImportDeletesItsNewRowsAndPutsBackItsChangedValues) {
    database.AddCorrespondence("01", "A001",
                               {{"iTopSum", 12.345678},
                                {"cFrequency", "月"},
                                {"iDays", 20},
                                {"iFrequency", 2},
                                {"dLastDate", "2024-01-31"},
                                {"cWhPersonCode", "P01"}});
    database.AddCorrespondence("01", "A002", {{"iWastage", 0.125}});
    database.AddCorrespondence("02", "A001", {{"iTopSum", 1}});
    const auto table = [this] {
        return Row("01", "A001") + Row("01", "A002") + Row("01", "A003") + Row("02", "A001") +
               Row("02", "O'1");
    };
    const std::string before = table();
    const long long previous = NewestEntry();
    {
        const ImportStep step(*context.login.db);
        Write(
            "insert into WhInvContrapose (cWhCode, cInvCode, iTopSum, dLastDate) values "
            "('01', 'A003', 3.5, '2024-02-29'), ('02', 'O''1', 4, null)");
        Write(
            "update WhInvContrapose set cFrequency='周', iDays=5, iTopSum=7, cWhPersonCode=null "
            "where cWhCode='01' and cInvCode='A001'");
        Write(
            "update WhInvContrapose set iWastage=null, iSafeNum=2.000001 where cWhCode='01' and "
            "cInvCode='A002'");
    }
    ASSERT_EQ(NewestEntry(), previous + 1);
    EXPECT_EQ(KindOf(database, previous + 1), "import");

    EXPECT_TRUE(Undo(previous + 1));

    EXPECT_EQ(table(), before);
    EXPECT_EQ(LastMessage(), "已恢复 4 行。");
}

TEST_F(RestoreCommandTest, UndoOfADeleteInsertsTheRowsAgainWhereTheirKeyIsFree) {
    database.AddCorrespondence("01", "A001",
                               {{"iTopSum", 12.345678},
                                {"iLowSum", 0},
                                {"cFrequency", "周"},
                                {"iDays", 7},
                                {"dLastDate", "2023-12-31"},
                                {"cWhPersonCode", "P01"}});
    database.AddCorrespondence("01", "O'1", {{"iWastage", 0.000001}});
    database.AddCorrespondence("01", "A002", {{"iTopSum", 3}});
    const std::string before = Row("01", "A001") + Row("01", "O'1");
    const long long removal = Write("delete from WhInvContrapose where cWhCode='01'");
    database.AddCorrespondence("01", "A002", {{"iTopSum", 4}});
    const std::string added = Row("01", "A002");
    database.Dialogs().QueueAnswer(zel::kAnswerYes);

    EXPECT_TRUE(Undo(removal));

    EXPECT_EQ(Row("01", "A001") + Row("01", "O'1"), before);
    EXPECT_EQ(Row("01", "A002"), added);
    EXPECT_EQ(KindOf(database, NewestEntry()), "add");
}

TEST_F(RestoreCommandTest, UndoOfAKeyChangePutsTheRowBackUnderItsOldKey) {
    database.AddCorrespondence("01", "A001", {{"iTopSum", 12.345678}, {"dLastDate", "2024-02-29"}});
    const std::string before = Row("01", "A001");
    // A file records a change of code, the server the row left and the row made; letter case
    // alone is a change on both.
    for (const char* change : {"cWhCode='02'", "cInvCode='a001'"}) {
        SCOPED_TRACE(change);
        const long long entry = Write("update WhInvContrapose set " + std::string(change));

        EXPECT_TRUE(Undo(entry));

        EXPECT_EQ(Row("01", "A001"), before);
        EXPECT_EQ(database.Scalar("select count(*) from WhInvContrapose").ToString(), "1");
    }
}

TEST_F(RestoreCommandTest, EntriesOfOneFieldAreUndoneNewestFirst) {
    database.AddCorrespondence("01", "O'1", {{"iTopSum", 1.5}});
    const std::string before = Row("01", "O'1");
    const std::string row = " where cWhCode='01' and cInvCode='O''1'";
    const long long first = Write("update WhInvContrapose set iTopSum=2" + row);
    const long long second = Write("update WhInvContrapose set iTopSum=3" + row);

    EXPECT_TRUE(RestoreCommand::RestoreValues(
        context, {{first, "01", "O'1", "iTopSum"}, {second, "01", "O'1", "iTopSum"}}, {}));

    EXPECT_EQ(Row("01", "O'1"), before);
}

TEST_F(RestoreCommandTest, OnlyTheChosenValuesGoBack) {
    database.AddCorrespondence("01", "A001", {{"iTopSum", 1}, {"iLowSum", 1}});
    database.AddCorrespondence("01", "A002", {{"iTopSum", 1}, {"iLowSum", 1}});
    const long long change =
        Write("update WhInvContrapose set iTopSum=2, iLowSum=2 where cWhCode='01'");

    EXPECT_TRUE(RestoreCommand::RestoreValues(context, {{change, "01", "A001", "iTopSum"}}, {}));

    const auto value = [&](const char* field, const char* item) {
        return database
            .Scalar(std::string("select ") + field +
                    " from WhInvContrapose where cWhCode='01' and cInvCode='" + item + "'")
            .ToString();
    };
    EXPECT_EQ(value("iTopSum", "A001"), "1");
    EXPECT_EQ(value("iLowSum", "A001"), "2");
    EXPECT_EQ(value("iTopSum", "A002"), "2");
}

TEST_F(RestoreCommandTest, RowsChangedSinceAreNamedAndNothingIsWrittenWhenNoneIsLeft) {
    database.AddCorrespondence("01", "A001", {{"iTopSum", 1}});
    const long long change = Write("update WhInvContrapose set iTopSum=2 where cWhCode='01'");
    Write("update WhInvContrapose set iTopSum=3 where cWhCode='01'");

    EXPECT_FALSE(Undo(change));

    EXPECT_EQ(LastMessage(), "这 1 行此后又被修改过（01/A001），未恢复任何行。");
    EXPECT_EQ(database.Scalar("select iTopSum from WhInvContrapose").ToString(), "3");
}

TEST_F(RestoreCommandTest, AFailureAfterAWriteSaysWhatStaysRestored) {
    database.AddCorrespondence("01", "A001", {{"iTopSum", 1}});
    database.AddCorrespondence("01", "A003", {{"iTopSum", 1}});
    const long long removal =
        Write("delete from WhInvContrapose where cWhCode='01' and cInvCode='A003'");
    const long long change = Write("update WhInvContrapose set iTopSum=2");
    // The deleted row's item is gone: inserting the row again breaks its reference.
    ASSERT_TRUE(database.Execute("delete from Inventory where cInvCode='A003'"));

    EXPECT_TRUE(RestoreCommand::RestoreValues(
        context, {{removal, "01", "A003", "iTopSum"}, {change, "01", "A001", "iTopSum"}},
        [this] { ++refreshes; }));

    EXPECT_EQ(LastMessage().rfind("恢复中途失败：", 0), 0U) << LastMessage();
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(database.Scalar("select iTopSum from WhInvContrapose").ToString(), "1");
    EXPECT_EQ(Row("01", "A003"), "none");
}

TEST_F(RestoreCommandTest, AHistoryReadBrokenOffPartWayRestoresNothing) {
    for (const char* item : {"A001", "A002", "A003"}) {
        database.AddCorrespondence("01", item, {{"iTopSum", 1}});
    }
    const long long change = Write("update WhInvContrapose set iTopSum=2");
    const auto db = test::FailingDb::InPlaceOf(context.login.db);
    db->cutResultsOf = "from whinv_change_value";
    db->rowsBeforeLoss = 1;
    db->reconnectsOnNextCall = true;

    EXPECT_FALSE(Undo(change));

    EXPECT_EQ(LastMessage().rfind("恢复失败：", 0), 0U) << LastMessage();
    EXPECT_EQ(refreshes, 0);
    EXPECT_EQ(database.Scalar("select count(*) from WhInvContrapose where iTopSum=2").ToString(),
              "3");
}

TEST_F(RestoreCommandTest, AUserWhoMayNotWriteOneOfTheRowsRestoresNone) {
    database.AddCorrespondence("01", "A001", {{"iTopSum", 1}});
    database.AddCorrespondence("02", "A001", {{"iTopSum", 1}});
    const long long change = Write("update WhInvContrapose set iTopSum=2");
    context.login.sAuthWhW = "(Warehouse.cWhCode in ('01'))";
    const long long before = NewestEntry();

    EXPECT_FALSE(Undo(change));

    EXPECT_EQ(LastMessage(), "您无权修改其中 1 行（02/A001），未恢复任何行。");
    EXPECT_EQ(NewestEntry(), before);
    EXPECT_EQ(database.Scalar("select count(*) from WhInvContrapose where iTopSum=2").ToString(),
              "2");
}

TEST_F(RestoreCommandTest, AStorekeeperTheUserMayNotWriteIsNeitherReplacedNorPutBack) {
    database.AddPerson("P02");
    database.AddCorrespondence("01", "A001", {{"cWhPersonCode", "P02"}});
    database.AddCorrespondence("01", "A002", {{"cWhPersonCode", "P02"}});
    const long long putsBack =
        Write("update WhInvContrapose set cWhPersonCode='P01' where cInvCode='A001'");
    const long long keeps = Write("update WhInvContrapose set iTopSum=2 where cInvCode='A002'");
    context.login.sAuthPersonW = "(Person.cPersonCode in ('P01'))";
    const long long before = NewestEntry();

    for (const long long change : {putsBack, keeps}) {
        EXPECT_FALSE(Undo(change));
        EXPECT_EQ(LastMessage().rfind("您无权修改其中 1 行", 0), 0U) << LastMessage();
    }
    EXPECT_EQ(NewestEntry(), before);
}

TEST_F(RestoreCommandTest, NothingIsWrittenWhileAnotherUserHoldsTheEditLock) {
    database.AddCorrespondence("01", "A001", {{"iTopSum", 1}});
    const long long change = Write("update WhInvContrapose set iTopSum=2");
    const auto other = HoldEditLock("other");

    EXPECT_FALSE(Undo(change));

    EXPECT_EQ(database.Scalar("select iTopSum from WhInvContrapose").ToString(), "2");
    EXPECT_EQ(refreshes, 0);
}

}  // namespace
}  // namespace korvel
