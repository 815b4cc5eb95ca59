#include "host/refer/chosen_rows.h"

#include <gtest/gtest.h>

#include "support/test_database.h"

namespace zel {
namespace {

std::shared_ptr<HeldRowsRecordset> CopyOf(const test::TestDatabase& db, std::string sql,
                                          const std::vector<int>& rows) {
    auto result = db.OpenService()->OpenX(sql);
    EXPECT_NE(result, nullptr) << sql;
    return ChosenRows(RecordsetCursor(result), rows);
}

TEST(ChosenRows, CopiesTheRowsWithEveryColumnItsSizeAndItsValueTypes) {
    test::TestDatabase db;
    db.AddInventory("A1", "螺钉", {{"iTopSum", 12.5}, {"iDays", 3}});
    db.AddInventory("A2", "螺母");
    db.AddInventory("A3", "垫圈", {{"cInvStd", "M6"}, {"iDays", 7}});
    auto copy = CopyOf(
        db, "select cInvCode, cInvStd, iTopSum, iDays from Inventory order by cInvCode", {0, 2});
    ASSERT_EQ(copy->RecordCount(), 2);
    ASSERT_EQ(copy->FieldCount(), 4);
    EXPECT_EQ(copy->FieldName(1), "cInvStd");
    EXPECT_EQ(copy->FieldDefinedSize(0), 60);
    EXPECT_EQ(copy->FieldDefinedSize(3), 0);

    ASSERT_FALSE(copy->Eof());
    EXPECT_EQ(copy->Fields("cinvcode"), Variant("A1"));
    EXPECT_TRUE(copy->Fields("cInvStd")->IsNull());
    EXPECT_TRUE(copy->Fields("iTopSum")->IsReal());
    EXPECT_EQ(copy->Fields("iTopSum"), Variant(12.5));
    EXPECT_TRUE(copy->Fields("IDAYS")->IsInteger());
    copy->MoveNext();
    EXPECT_EQ(copy->Fields(0), Variant("A3"));
    EXPECT_EQ(copy->Fields(1), Variant("M6"));
    copy->MoveNext();
    EXPECT_TRUE(copy->Eof());
    EXPECT_FALSE(copy->Fields(0).has_value());
    copy->MoveNext();
    EXPECT_TRUE(copy->Eof());
    copy->MoveFirst();
    EXPECT_EQ(copy->Fields(0), Variant("A1"));
}

TEST(ChosenRows, AnswersNothingForUnknownFields) {
    test::TestDatabase db;
    db.AddWarehouse("01");
    auto copy = CopyOf(db, "select cWhCode from Warehouse", {0});
    EXPECT_EQ(copy->FieldIndex("cWhName"), -1);
    EXPECT_FALSE(copy->Fields("cWhName").has_value());
    EXPECT_FALSE(copy->Fields(1).has_value());
    EXPECT_EQ(copy->FieldName(-1), "");
    EXPECT_EQ(copy->FieldDefinedSize(5), 0);
}

}  // namespace
}  // namespace zel
