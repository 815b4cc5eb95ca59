#include "mulmodify/modify_request.h"

#include "component/support/failing_db.h"
#include "component/support/stock_limit_cases.h"
#include "modify_test_base.h"

namespace korvel::test {
namespace {

class ModifyRequestTest : public ModifyTestBase {
protected:
    // The count the user was asked to confirm, or -1 when no count question came.
    long AskedCount() {
        for (const auto& shown : database.Dialogs().Messages()) {
            const std::string firstLine = shown.text.substr(0, shown.text.find('\n'));
            for (long count = 0; count < 100; ++count) {
                if (firstLine ==
                    Text("Zel.AAARCHIVE.COMMON.modify_count", {std::to_string(count)})) {
                    return count;
                }
            }
        }
        return -1;
    }
    long ChangedCount(const std::string& column, const std::string& value) {
        return static_cast<long>(database
                                     .Scalar("select count(*) from WhInvContrapose where " +
                                             column + " is not distinct from " + value)
                                     .ToDouble()
                                     .value_or(-1));
    }
};

// The set update changes exactly the rows the matching query counted: inside the condition,
// within the rights and the limit rules.
TEST_F(ModifyRequestTest, SetsTheSafetyStockOnlyBetweenTheLimits) {
    database.AddCorrespondence("01", "A001", {{"iLowSum", 10}, {"iTopSum", 100}});
    database.AddCorrespondence("01", "A002", {{"iTopSum", 40}});
    database.AddCorrespondence("01", "A003");
    database.AddCorrespondence("01", "A004", {{"iLowSum", 60}});
    database.AddCorrespondence("02", "A001", {{"iLowSum", 10}, {"iTopSum", 100}});
    AnswerYes();
    Request("whinvcontrapose.cWhCode='01'", "whinvcontrapose.iSafeNum", "50");
    EXPECT_EQ(AskedCount(), 2);
    EXPECT_EQ(ChangedCount("iSafeNum", "50"), 2);
    EXPECT_EQ(Cell("01", "A001", "iSafeNum"), "50");
    EXPECT_EQ(Cell("01", "A003", "iSafeNum"), "50");
    EXPECT_EQ(Cell("01", "A002", "iSafeNum"), "NULL");
    EXPECT_EQ(Cell("01", "A004", "iSafeNum"), "NULL");
    EXPECT_EQ(Cell("02", "A001", "iSafeNum"), "NULL");
    EXPECT_EQ(Messages().back(), Text("Zel.AA.ARCHIVE.COMMON.modifysuccess"));
    EXPECT_TRUE(modifiedFlag);
}

TEST_F(ModifyRequestTest, WritesNullForAnEmptyNumberAfterTheCountQuestion) {
    for (const char* field : {"iWastage", "iFrequency"}) {
        database.Execute("delete from WhInvContrapose");
        database.AddCorrespondence("01", "A001", {{"iWastage", 3}, {"iFrequency", 2}});
        database.AddCorrespondence("01", "A002", {{"iWastage", 4}, {"iFrequency", 5}});
        database.Dialogs().Clear();
        AnswerYes();
        Request("1=1", field, "  ");
        EXPECT_EQ(AskedCount(), 2) << field;
        EXPECT_EQ(ChangedCount(field, "null"), 2) << field;
    }
}

TEST_F(ModifyRequestTest, StoresTheCodeOfTheCycleUnitWhereTheCheckDayFitsIt) {
    database.AddCorrespondence("01", "A001",
                               {{"iFrequency", 2}, {"cFrequency", "月"}, {"iDays", 3}});
    database.AddCorrespondence("01", "A002",
                               {{"iFrequency", 2}, {"cFrequency", "月"}, {"iDays", 10}});
    database.AddCorrespondence("01", "A003", {{"cFrequency", "月"}, {"iDays", 2}});
    database.AddCorrespondence("01", "A004", {{"iFrequency", 1}});
    AnswerYes();
    Request("1=1", "cFrequency", "周");
    EXPECT_EQ(AskedCount(), 1);
    EXPECT_EQ(Cell("01", "A001", "cFrequency"), "周");
    EXPECT_EQ(ChangedCount("cFrequency", "'周'"), 1);

    database.Dialogs().Clear();
    AnswerYes();
    Request("1=1", "cFrequency", "天");
    EXPECT_EQ(AskedCount(), 1);
    EXPECT_EQ(Cell("01", "A004", "cFrequency"), "天");

    database.Dialogs().Clear();
    AnswerYes();
    Request("1=1", "cFrequency", "月");
    EXPECT_EQ(AskedCount(), 4);
    EXPECT_EQ(ChangedCount("cFrequency", "'月'"), 4);
}

TEST_F(ModifyRequestTest, ClearsTheCycleUnitAndTheDateWithAnEmptyValue) {
    database.AddCorrespondence("01", "A001", {{"cFrequency", "周"}, {"dLastDate", "2024-01-02"}});
    for (const char* field : {"cFrequency", "dLastDate"}) {
        AnswerYes();
        Request("1=1", field, "");
        EXPECT_EQ(Cell("01", "A001", field), "NULL") << field;
    }
}

// Yes writes to every counted row: the question says what is written and how far the condition
// reaches, not only how many rows match.
TEST_F(ModifyRequestTest, TheCountQuestionNamesTheFieldTheValueAndTheWarehousesItReaches) {
    database.AddCorrespondence("01", "A001");
    database.AddCorrespondence("02", "A001");
    const std::pair<const char*, std::string> cases[] = {
        {"2.5", "2.5"}, {" ", Text("Zel.AAARCHIVE.COMMON.modify_value_empty")}};
    for (const auto& [value, shown] : cases) {
        database.Dialogs().Clear();
        Request("1=1", "whinvcontrapose.iWastage", value, "合理损耗率");
        ASSERT_FALSE(Messages().empty()) << value;
        EXPECT_EQ(Messages().front(),
                  Text("Zel.AAARCHIVE.COMMON.modify_count", {"2"}) + "\n" +
                      Text("Zel.AAARCHIVE.COMMON.modify_count_change", {"合理损耗率", shown}) +
                      "\n" + Text("Zel.AAARCHIVE.COMMON.modify_scope"))
            << value;
    }
}

// The editor runs the same cases (record_entry_checks_test.cpp): one rule in both windows. A
// change the order of the limits refuses leaves the row out, as no row matches then.
TEST_F(ModifyRequestTest, KeepsTheStockLimitRuleTheEditorKeeps) {
    for (const StockLimitCase& c : StockLimitCases()) {
        database.Execute("delete from WhInvContrapose");
        std::map<std::string, zel::Variant> stored;
        for (const auto& [column, value] : c.stored) {
            stored[column] = value;
        }
        database.AddCorrespondence("01", "A001", stored);
        database.Dialogs().Clear();
        AnswerYes();
        Request("1=1", c.column, c.value);
        const auto now = database
                             .Scalar(std::string("select ") + c.column +
                                     " from WhInvContrapose where cInvCode='A001'")
                             .ToDouble();
        EXPECT_EQ(now == std::stod(c.value), c.allowed) << c.name;
        if (!c.allowed) {
            const std::string told =
                std::string(c.refusalKey) == "Zel.AA.WHINVCONTRAPOSE.LIMIT.order"
                    ? Text("Zel.AAARCHIVE.COMMON.modify_no_match")
                    : Text(c.refusalKey);
            EXPECT_EQ(Messages(), std::vector<std::string>{told}) << c.name;
        }
    }
}

TEST_F(ModifyRequestTest, AnsweringNoChangesNothing) {
    database.AddCorrespondence("01", "A001", {{"iWastage", 3}});
    Request("1=1", "iWastage", "7");
    EXPECT_EQ(AskedCount(), 1);
    EXPECT_EQ(Cell("01", "A001", "iWastage"), "3");
    EXPECT_FALSE(modifiedFlag);
    EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(ModifyRequestTest, TellsOfNoMatchAndOfAConditionTheDatabaseRejects) {
    database.AddCorrespondence("01", "A001", {{"iWastage", 3}});
    Request("whinvcontrapose.cWhCode='02'", "iWastage", "7");
    Request("whinvcontrapose.nosuch=1", "iWastage", "7");
    Request("", "iWastage", "7");
    Request("1=1", "iDays", "7");
    EXPECT_EQ(Messages(), (std::vector<std::string>{Text("Zel.AAARCHIVE.COMMON.modify_no_match"),
                                                    Text("Zel.AA.ARCHIVE.COMMON.conditionerror"),
                                                    Text("Zel.AA.ARCHIVE.COMMON.conditionerror"),
                                                    Text("Zel.AA.ARCHIVE.COMMON.conditionerror")}));
    EXPECT_EQ(Cell("01", "A001", "iWastage"), "3");
}

// An "or" in the condition stays inside its parentheses: it cannot reach rows outside the
// rights or the limit rules.
TEST_F(ModifyRequestTest, RowsOutsideTheRightsNeverMatch) {
    database.AddCorrespondence("01", "A001");
    database.AddCorrespondence("01", "A002");
    database.AddCorrespondence("02", "A001");
    database.AddCorrespondence("03", "A003");
    context.login.sAuthWhW = "(Warehouse.CWhCode in ('01','03'))";
    context.login.sAuthInvW = "( Inventory.cInvCode in ('A001','A003'))";
    AnswerYes();
    Request("whinvcontrapose.cWhCode='02' or 1=1", "iWastage", "9");
    EXPECT_EQ(AskedCount(), 2);
    EXPECT_EQ(Cell("01", "A001", "iWastage"), "9");
    EXPECT_EQ(Cell("03", "A003", "iWastage"), "9");
    EXPECT_EQ(Cell("01", "A002", "iWastage"), "NULL");
    EXPECT_EQ(Cell("02", "A001", "iWastage"), "NULL");
}

// Reading a warehouse or an item is not the right to change its rows: the count asked about and
// the rows changed are those the user may write.
TEST_F(ModifyRequestTest, RowsTheUserMayOnlyReadAreNotChanged) {
    database.AddCorrespondence("01", "A001");
    database.AddCorrespondence("02", "A001");
    database.AddCorrespondence("02", "A002");
    database.AddCorrespondence("03", "A002");
    context.login.sAuthWhW = "(Warehouse.CWhCode in ('02','03'))";
    context.login.sAuthInvW = "( Inventory.cInvCode in ('A001'))";
    AnswerYes();
    Request("1=1", "iWastage", "4");
    EXPECT_EQ(AskedCount(), 1);
    EXPECT_EQ(Cell("02", "A001", "iWastage"), "4");
    for (const auto& [warehouse, item] :
         {std::pair{"01", "A001"}, {"02", "A002"}, {"03", "A002"}}) {
        EXPECT_EQ(Cell(warehouse, item, "iWastage"), "NULL") << warehouse << "/" << item;
    }
}

TEST_F(ModifyRequestTest, KeepsTheLimitRulesAfterAnOrAndAfterIsNull) {
    database.AddCorrespondence("01", "A001", {{"iLowSum", 80}});
    database.AddCorrespondence("01", "A002", {{"iLowSum", 10}});
    AnswerYes();
    Request("whinvcontrapose.iTopSum is null or whinvcontrapose.iLowSum is null", "iTopSum", "50");
    EXPECT_EQ(AskedCount(), 1);
    EXPECT_EQ(Cell("01", "A001", "iTopSum"), "NULL");
    EXPECT_EQ(Cell("01", "A002", "iTopSum"), "50");
}

TEST_F(ModifyRequestTest, AValueCannotWidenTheStatement) {
    database.AddCorrespondence("01", "A001", {{"iWastage", 3}, {"cWhPersonCode", "P1"}});
    database.AddCorrespondence("02", "A001", {{"iWastage", 3}, {"cWhPersonCode", "P1"}});
    for (const auto& [field, value] : {std::pair{"iWastage", "1) or (1=1"},
                                       {"iTopSum", "1 or 1=1"},
                                       {"cFrequency", "月' or '1'='1"}}) {
        AnswerYes();
        Request("whinvcontrapose.cWhCode='01'", field, value);
    }
    AnswerYes();
    Request("whinvcontrapose.cWhCode='01'", "cWhPersonCode", "P1' where 1=1 --");
    EXPECT_EQ(Cell("01", "A001", "iWastage"), "3");
    EXPECT_EQ(Cell("01", "A001", "cWhPersonCode"), "P1");
    EXPECT_EQ(Cell("02", "A001", "cWhPersonCode"), "P1");
    EXPECT_EQ(Messages().back(),
              Text("Zel.AAARCHIVE.COMMON.modify_set_failed", {context.login.db->LastError()}));
    EXPECT_FALSE(modifiedFlag);
}

// Neither the matching rows nor the one statement that changes them reach the database: the user
// is told the connection is lost, not that the condition is wrong, and no row changes.
TEST_F(ModifyRequestTest, ALostConnectionChangesNothingAndSaysSo) {
    database.AddCorrespondence("01", "A001", {{"iWastage", 3}});
    const std::string lost =
        Text("Zel.AA.WHINVCONTRAPOSE.COMMON.db_failed_reason", {FailingDb::kLostText});
    const std::string setFailed =
        Text("Zel.AAARCHIVE.COMMON.modify_set_failed", {FailingDb::kLostText});
    for (const auto& [statement, message] : {std::pair{"select", lost}, {"update", setFailed}}) {
        auto db = std::make_shared<FailingDb>(database.OpenService());
        context.login.db = db;
        db->lostAtStatementWith = statement;
        database.Dialogs().Clear();
        AnswerYes();
        Request("1=1", "iWastage", "4");
        EXPECT_EQ(Messages().back(), message) << statement;
        EXPECT_EQ(Cell("01", "A001", "iWastage"), "3") << statement;
        EXPECT_FALSE(modifiedFlag) << statement;
    }
}

TEST_F(ModifyRequestTest, ARefusedCheckChangesNothing) {
    database.AddCorrespondence("01", "A001", {{"dLastDate", "2024-01-02"}});
    host->refusedValues = {"2024-02-30", "09"};
    Request("1=1", "dLastDate", "2024-02-30");
    Request("1=1", "CWhCode", "09");
    EXPECT_EQ(Cell("01", "A001", "dLastDate"), "2024-01-02");
    EXPECT_EQ(Pairs(), std::vector<std::string>{"01/A001"});
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ModifyRequestTest, ARunTimeErrorEndsTheRequestWithItsMessage) {
    database.AddCorrespondence("01", "A001");
    host->failing = {"IFExists"};
    Request("1=1", "cInvCode", "A002");
    EXPECT_EQ(Messages(),
              std::vector<std::string>{Text("Zel.AAARCHIVE.COMMON.modify_condi_content_error")});
    EXPECT_EQ(Pairs(), std::vector<std::string>{"01/A001"});
}

}  // namespace
}  // namespace korvel::test
