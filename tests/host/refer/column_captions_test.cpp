#include "host/refer/column_captions.h"

#include <gtest/gtest.h>

#include "support/test_database.h"

namespace zel {
namespace {

class ColumnCaptionsTest : public ::testing::Test {
protected:
    ColumnCaptions Read(std::string_view key) {
        return ColumnCaptions::Read(*db.OpenService(), key);
    }

    test::TestDatabase db;  // seeded with the host's Inventory captions
};

TEST_F(ColumnCaptionsTest, TheDictionaryCaptionUnderTheKeyComesFirst) {
    ASSERT_TRUE(
        db.Execute("update aa_columndic set ccaption='物料编码' where cfldname='cInvCode'"));
    const ColumnCaptions captions = Read("inventory");
    EXPECT_EQ(captions.Of("cInvCode"), "物料编码");  // over the resource text 存货编码
    EXPECT_EQ(captions.Of("CINVCODE"), "物料编码");
    EXPECT_EQ(captions.Of("iTopSum"), "最高库存");  // only the dictionary knows it
}

TEST_F(ColumnCaptionsTest, CaptionsUnderAnotherKeyAreNotTaken) {
    ASSERT_TRUE(
        db.Execute("insert into aa_columndic (ckey, cfldname, ccaption) values "
                   "('Warehouse', 'cWhAddress', '存放地点'), ('Person', 'cWhAddress', '住址')"));
    EXPECT_EQ(Read("Warehouse").Of("cWhAddress"), "存放地点");
    EXPECT_EQ(Read("Person").Of("cWhAddress"), "住址");
    EXPECT_EQ(Read("Inventory").Of("cWhAddress"), "仓库地址");  // the resource text
}

TEST_F(ColumnCaptionsTest, AColumnTheDictionaryLeavesBlankTakesTheResourceText) {
    ASSERT_TRUE(db.Execute("update aa_columndic set ccaption=' ' where cfldname='cInvName'"));
    const ColumnCaptions captions = Read("Inventory");
    EXPECT_EQ(captions.Of("cInvName"), "存货名称");
    EXPECT_EQ(captions.Of("cInvAddCode"), "存货代码");
    EXPECT_EQ(captions.Of("cInvCCode"), "存货分类编码");
    EXPECT_EQ(captions.Of("cDepCode"), "部门编码");
}

TEST_F(ColumnCaptionsTest, AColumnNeitherKnowsKeepsItsName) {
    EXPECT_EQ(Read("Inventory").Of("cFree1"), "cFree1");
    EXPECT_EQ(ColumnCaptions().Of(""), "");
}

TEST_F(ColumnCaptionsTest, WithoutADictionaryTheResourceTextsStillServe) {
    ASSERT_TRUE(db.Execute("drop table aa_columndic"));
    const ColumnCaptions captions = Read("Inventory");
    EXPECT_EQ(captions.Of("cInvCode"), "存货编码");
    EXPECT_EQ(captions.Of("iTopSum"), "iTopSum");
}

}  // namespace
}  // namespace zel
