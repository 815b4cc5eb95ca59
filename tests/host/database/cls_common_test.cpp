#include "host/database/cls_common.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/objects/resource_texts.h"
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
}

}  // namespace
}  // namespace zel
