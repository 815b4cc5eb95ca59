#include "host/pub/text_table_recordset.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(TextTableRecordsetTest, ListsGiveTheFieldsAndTheirCaptions) {
    const auto table = TextTableRecordset::FromLists("cWhCode, cInvCode,cErrMsg", "仓库,存货");
    ASSERT_EQ(table->FieldCount(), 3);
    EXPECT_EQ(table->FieldName(1), "cInvCode");
    EXPECT_EQ(table->FieldName(3), "");
    EXPECT_EQ(table->FieldIndex("CERRMSG"), 2);
    EXPECT_EQ(table->FieldIndex("cPersonCode"), -1);
    EXPECT_EQ(table->Captions(), (std::vector<std::string>{"仓库", "存货", "cErrMsg"}));
    EXPECT_EQ(TextTableRecordset::FromLists("", "")->FieldCount(), 0);
}

TEST(TextTableRecordsetTest, RowsAreReadInTheOrderTheyCame) {
    TextTableRecordset table({"a", "b"}, {"A", "B"});
    EXPECT_TRUE(table.Bof());
    EXPECT_TRUE(table.Eof());
    EXPECT_EQ(table.RecordCount(), 0);
    EXPECT_EQ(table.Fields(0), std::nullopt);
    table.Append({"1", "x"});
    table.Append({"2"});                // a missing text is empty
    table.Append({"3", "z", "extra"});  // a text beyond the fields is dropped
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
    EXPECT_TRUE(table.Fields(0)->IsText());
    EXPECT_EQ(table.Cell(2, 1), "z");
}

TEST(TextTableRecordsetTest, AReportIsNotFilteredAndEndsWhenClosed) {
    TextTableRecordset table({"a"}, {"A"});
    table.Append({"1"});
    EXPECT_TRUE(table.SetFilter(""));
    EXPECT_FALSE(table.SetFilter("a='1'"));
    EXPECT_EQ(table.RecordCount(), 1);
    EXPECT_EQ(table.FieldDefinedSize(0), 0);
    EXPECT_EQ(table.FieldSource(0), "");
    table.Close();
    EXPECT_FALSE(table.IsOpen());
    EXPECT_TRUE(table.Eof());
    EXPECT_EQ(table.RecordCount(), 0);
    EXPECT_EQ(table.Fields(0), std::nullopt);
}

}  // namespace
}  // namespace zel
