#include "host/objects/held_rows_recordset.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

HeldRowsRecordset TwoColumns() {
    return HeldRowsRecordset({{"a", 0, "", "A"}, {"b", 8, "T.b", ""}});
}

TEST(HeldRowsRecordsetTest, RowsAreReadInTheOrderTheyCame) {
    HeldRowsRecordset table = TwoColumns();
    EXPECT_TRUE(table.Bof());
    EXPECT_TRUE(table.Eof());
    EXPECT_EQ(table.RecordCount(), 0);
    EXPECT_EQ(table.Fields(0), std::nullopt);
    table.Append({Variant("1"), Variant("x")});
    table.Append({Variant("2")});                                  // a missing value is Null
    table.Append({Variant("3"), Variant("z"), Variant("extra")});  // one beyond is dropped
    EXPECT_EQ(table.RecordCount(), 3);
    std::vector<std::string> read;
    for (table.MoveFirst(); !table.Eof(); table.MoveNext()) {
        read.push_back(table.Fields("A")->ToString() + "|" + table.Fields(1)->ToString());
    }
    EXPECT_EQ(read, (std::vector<std::string>{"1|x", "2|", "3|z"}));
    table.MoveNext();
    EXPECT_TRUE(table.Eof());
    table.MoveFirst();
    EXPECT_EQ(table.Fields(2), std::nullopt);
    EXPECT_EQ(table.Fields("c"), std::nullopt);
    EXPECT_TRUE(table.Value(1, 1).IsNull());
    EXPECT_EQ(table.Value(2, 1).ToString(), "z");
}

TEST(HeldRowsRecordsetTest, DescribesItsColumns) {
    const HeldRowsRecordset table = TwoColumns();
    ASSERT_EQ(table.FieldCount(), 2);
    EXPECT_EQ(table.FieldName(1), "b");
    EXPECT_EQ(table.FieldName(2), "");
    EXPECT_EQ(table.FieldName(-1), "");
    EXPECT_EQ(table.FieldIndex("B"), 1);
    EXPECT_EQ(table.FieldIndex("c"), -1);
    EXPECT_EQ(table.FieldDefinedSize(1), 8);
    EXPECT_EQ(table.FieldDefinedSize(5), 0);
    EXPECT_EQ(table.FieldSource(1), "T.b");
    EXPECT_EQ(table.Columns()[0].caption, "A");
}

TEST(HeldRowsRecordsetTest, IsNotFilteredAndEndsWhenClosed) {
    HeldRowsRecordset table = TwoColumns();
    table.Append({Variant("1")});
    EXPECT_TRUE(table.SetFilter(" "));
    EXPECT_FALSE(table.SetFilter("a='1'"));
    EXPECT_EQ(table.RecordCount(), 1);
    table.Close();
    EXPECT_FALSE(table.IsOpen());
    EXPECT_TRUE(table.Eof());
    EXPECT_TRUE(table.Bof());
    EXPECT_EQ(table.RecordCount(), 0);
    EXPECT_EQ(table.Fields(0), std::nullopt);
}

}  // namespace
}  // namespace zel
