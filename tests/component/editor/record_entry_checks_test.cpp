#include "editor/record_entry_checks.h"

#include <gtest/gtest.h>

#include "component/support/main_window_fixture.h"
#include "component/support/stock_limit_cases.h"
#include "core/common.h"
#include "core/const.h"

namespace korvel::test {
namespace {

// The checks over the host's own services on a seeded account, with no window. The business
// date is 2024-03-15.
class RecordEntryChecksTest : public MainWindowTest {
protected:
    void SetUp() override {
        database.AddWarehouse("01", "成品库");
        database.AddWarehouse("02", "原料库");
        database.AddPerson("P01", "王五");
        database.AddInventory("A001", "螺钉",
                              {{"cInvStd", "M6"},
                               {"iTopSum", 100},
                               {"iLowSum", 5.125},
                               {"cFrequency", "周"},
                               {"iDays", 2},
                               {"cDefWareHouse", " 02 "}});
        database.AddInventory("A002", "螺母", {{"dLastDate", "2024-01-31"}});
        database.AddInventory("B001", "A002");
        database.AddInventory("OLD1", "旧件", {{"dEDate", "2024-03-01"}});
        database.AddInventory("END1", "将停件", {{"dEDate", "2024-12-31"}});
    }
    // A user who may read only what is granted to him: the item A001 and the warehouse 01.
    void BindClerk() {
        ASSERT_TRUE(database.Execute(
            "update aa_rowauth_object set bControlled=1 where cBusObCode='Inventory'"));
        ASSERT_TRUE(
            database.Execute("insert into aa_rowauth (cUserId, cBusObCode, cACCode, cRight) "
                             "values ('clerk', 'Inventory', 'A001', 'R'), "
                             "('clerk', 'Warehouse', '01', 'R')"));
        Bind("clerk");
    }
    void Bind(const std::string& user = "demo") {
        BindContext(user);
        LoadQuantityStyle(context);
        InitCatalogue(context);
    }
    RecordEntryChecks Checks() const { return RecordEntryChecks(context); }
};

TEST_F(RecordEntryChecksTest, AnItemFoundByItsCodeGivesItsSettingsAsTheBoxesShowThem) {
    Bind();
    const auto item = Checks().FindInventory("A001");
    ASSERT_TRUE(item);
    EXPECT_EQ(item->code, "A001");
    EXPECT_EQ(item->name, "螺钉");
    EXPECT_EQ(item->invStd, "M6");
    EXPECT_EQ(item->topSum, "100.00");
    EXPECT_EQ(item->lowSum, "5.13") << "the account's two quantity decimals";
    EXPECT_EQ(item->safeNum, "");
    EXPECT_EQ(item->unitText, context.catalogue.arrFreqText[1]) << "the week's list text";
    EXPECT_EQ(item->days, "2");
    EXPECT_EQ(item->lastDate, "") << "never counted";
    EXPECT_EQ(item->defaultWarehouse, "02");
    EXPECT_EQ(Checks().FindInventory("A002")->lastDate, "2024-01-31");
}

TEST_F(RecordEntryChecksTest, TheTypedTextMatchesACodeOrElseANameAsTheDatabaseComparesThem) {
    Bind();
    const RecordEntryChecks checks = Checks();
    EXPECT_EQ(checks.FindInventory("a001  ")->code, "A001") << "ASCII case and trailing blanks";
    EXPECT_EQ(checks.FindInventory("螺钉")->code, "A001") << "a name finds its item";
    EXPECT_EQ(checks.FindInventory("A002")->name, "螺母") << "A002 is a code and B001's name";
    EXPECT_EQ(checks.FindWarehouse("原料库")->code, "02");
    EXPECT_EQ(checks.FindWarehouse("01 ")->name, "成品库");
    const auto person = checks.FindPerson("王五");
    ASSERT_TRUE(person);
    EXPECT_EQ(person->code, "P01");
    EXPECT_EQ(person->name, "王五");
    EXPECT_EQ(checks.FindPerson("p01")->code, "P01");
}

TEST_F(RecordEntryChecksTest, NothingIsFoundForUnknownTexts) {
    Bind();
    const RecordEntryChecks checks = Checks();
    EXPECT_FALSE(checks.FindInventory("NOPE"));
    EXPECT_FALSE(checks.FindInventory("A00")) << "no partial match";
    EXPECT_FALSE(checks.FindWarehouse("03"));
    EXPECT_FALSE(checks.FindPerson("李四"));
}

TEST_F(RecordEntryChecksTest, AnItemEndedOnTheBusinessDateIsNotFound) {
    Bind();
    EXPECT_FALSE(Checks().FindInventory("OLD1"));
    EXPECT_FALSE(Checks().FindInventory("旧件"));
    EXPECT_TRUE(Checks().FindInventory("END1")) << "it ends after the business date";
}

TEST_F(RecordEntryChecksTest, WhatTheUserMayNotReadIsNotFound) {
    BindClerk();
    const RecordEntryChecks checks = Checks();
    EXPECT_TRUE(checks.FindInventory("A001"));
    EXPECT_FALSE(checks.FindInventory("A002"));
    EXPECT_FALSE(checks.FindInventory("螺母"));
    EXPECT_TRUE(checks.FindWarehouse("01"));
    EXPECT_FALSE(checks.FindWarehouse("02"));
    EXPECT_EQ(checks.WarehouseName("01"), "成品库");
    EXPECT_EQ(checks.WarehouseName("02"), "");
}

TEST_F(RecordEntryChecksTest, TheDefaultWarehouseIsFoundWithoutAnyRightButOnlyByItsCode) {
    BindClerk();
    const RecordEntryChecks checks = Checks();
    const auto warehouse = checks.FindDefaultWarehouse("02");
    ASSERT_TRUE(warehouse);
    EXPECT_EQ(warehouse->code, "02");
    EXPECT_EQ(warehouse->name, "原料库");
    EXPECT_FALSE(checks.FindDefaultWarehouse("原料库"));
    EXPECT_FALSE(checks.FindDefaultWarehouse("09"));
    EXPECT_FALSE(checks.FindDefaultWarehouse("  "));
}

TEST_F(RecordEntryChecksTest, StoredQuantitiesComeBackExactlyInPlainDecimals) {
    database.AddCorrespondence("01", "A001",
                               {{"iTopSum", 1234.5678}, {"iLowSum", 100}, {"iWastage", 0.000001}});
    database.AddCorrespondence("01", "A002");
    BindClerk();
    const RecordEntryChecks checks = Checks();
    const auto stored = checks.ReadStoredQuantities("01 ", "a001");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->topSum, "1234.5678");
    EXPECT_EQ(stored->lowSum, "100");
    EXPECT_EQ(stored->safeNum, "") << "Null";
    EXPECT_EQ(stored->wastage, "0.000001") << "never an exponent";
    EXPECT_FALSE(checks.ReadStoredQuantities("02", "A001")) << "no such row";
    EXPECT_FALSE(checks.ReadStoredQuantities("01", "A002")) << "an item the clerk may not read";
}

TEST_F(RecordEntryChecksTest, AFailingQueryCountsAsNotFound) {
    database.AddCorrespondence("01", "A001");
    Bind();
    for (std::string* condition :
         {&context.login.sAuthInv, &context.login.sAuthWh, &context.login.sAuthPerson}) {
        *condition = "(NoSuchColumn=1)";
    }
    const RecordEntryChecks checks = Checks();
    EXPECT_FALSE(checks.FindInventory("A001"));
    EXPECT_FALSE(checks.FindWarehouse("01"));
    EXPECT_FALSE(checks.FindPerson("P01"));
    EXPECT_EQ(checks.WarehouseName("01"), "");
    EXPECT_FALSE(checks.ReadStoredQuantities("01", "A001"));
    ASSERT_TRUE(database.Execute("alter table Warehouse rename to WarehouseGone"));
    EXPECT_FALSE(checks.FindDefaultWarehouse("01"));
}

TEST_F(RecordEntryChecksTest, OnlyTheInventoryPickerLeavesOutEndedItems) {
    Bind();
    const RecordEntryChecks checks = Checks();
    EXPECT_EQ(checks.PickerItemQuery("Inventory", "(1=1)", "(cInvCode like 'A%')"),
              "select * from Inventory where  (1=1) and (cInvCode like 'A%') and "
              "(Inventory.dEDate is null or Inventory.dEDate>'2024-03-15')");
    EXPECT_EQ(checks.PickerItemQuery("Warehouse", "(1=1)", "1=1"),
              "select * from Warehouse where  (1=1) and 1=1");
}

TEST(RecordEntryChecks, ACountOrRateIsZeroWhenItsLeadingNumberIsZero) {
    for (const char* zero : {"0", "0.00", " 0", "-0", "0abc", "abc"}) {
        EXPECT_TRUE(RecordEntryChecks::IsZeroEntry(zero)) << zero;
    }
    for (const char* other : {"", "1", "0.5", "-2", "3abc"}) {
        EXPECT_FALSE(RecordEntryChecks::IsZeroEntry(other)) << other;
    }
}

// Multi-record modify runs the same cases (modify_request_test.cpp): one rule in both windows.
TEST_F(RecordEntryChecksTest, KeepsTheStockLimitRuleMultiRecordModifyKeeps) {
    Bind();
    zel::IPub& pub = *context.login.pub;
    for (const StockLimitCase& c : StockLimitCases()) {
        std::map<std::string, std::string> boxes;
        for (const auto& [column, value] : c.stored) {
            boxes[column] = pub.FormatNum(zel::Variant(value), context.quantity.digits);
        }
        boxes[c.column] = c.value;
        const auto refusal = Checks().RefuseStockLimits(
            [&](const CorrespondenceField& field) { return boxes[std::string(field.column)]; });
        EXPECT_EQ(!refusal.has_value(), c.allowed) << c.name;
        if (!refusal) {
            continue;
        }
        std::vector<std::string> captions;
        for (const char* column : c.refusalColumns) {
            captions.push_back(context.catalogue.arrFldCaption[static_cast<size_t>(
                FieldNamed(column)->catalogue.captionIndex)]);
        }
        EXPECT_EQ(refusal->message, pub.GetResFormatString(c.refusalKey, captions)) << c.name;
        // The focus goes to the lower limit of a broken order, or to the loss rate.
        const char* focused = c.refusalColumns.empty() ? c.column : c.refusalColumns.front();
        EXPECT_EQ(refusal->field->column, focused) << c.name;
    }
}

}  // namespace
}  // namespace korvel::test
