#include "app/report/due_report.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/test_database.h"

namespace zel {
namespace {

// 2026-12-09: A001 counted ten days ago on a weekly cycle is due, A002 counted yesterday on a
// monthly one is not, A003 was never counted, A004 has no cycle; warehouse 02 holds a due row
// that only a user with rights on 02 sees.
class DueReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.AddWarehouse("01", "成品库");
        db.AddWarehouse("02", "原料库");
        db.AddPerson("P01", "张三");
        for (const char* code : {"A001", "A002", "A003", "A004", "B001"}) {
            db.AddInventory(code, std::string("件") + code);
        }
        db.AddCorrespondence("01", "A001",
                             {{"cFrequency", "周"},
                              {"iFrequency", 1},
                              {"iDays", 4},
                              {"dLastDate", "2026-11-29"},
                              {"cWhPersonCode", "P01"}});
        db.AddCorrespondence(
            "01", "A002", {{"cFrequency", "月"}, {"iFrequency", 1}, {"dLastDate", "2026-12-08"}});
        db.AddCorrespondence("01", "A003", {{"cFrequency", "天"}, {"iFrequency", 30}});
        db.AddCorrespondence("01", "A004", {{"dLastDate", "2020-01-01"}});
        db.AddCorrespondence(
            "02", "B001", {{"cFrequency", "天"}, {"iFrequency", 7}, {"dLastDate", "2026-12-01"}});
        ASSERT_TRUE(
            db.Execute("insert into aa_user (cUserId, cUserName, bAdmin) values "
                       "('u01', '王五', 0)"));
        ASSERT_TRUE(
            db.Execute("insert into aa_rowauth (cUserId, cBusObCode, cACCode, cRight) "
                       "values ('u01', 'Warehouse', '01', 'R')"));
    }

    int Run(const std::string& user, const std::string& format = "csv") {
        request.database = db.DatabaseArgument();
        request.user = user;
        request.date = "2026-12-09";
        request.format = format;
        request.output = db.Folder() + "/due." + format;
        request.configPath = db.Folder() + "/none.ini";
        return RunDueReport(request, db.Environment());
    }

    std::string Written() const {
        std::ifstream file(request.output, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }

    test::TestDatabase db;
    DueReportRequest request;
};

TEST_F(DueReportTest, ListsTheDueRowsNeverCountedFirstThenByNextCheck) {
    ASSERT_EQ(Run("demo"), 0);
    EXPECT_EQ(Written(),
              "\xEF\xBB\xBF"
              "仓库编码,仓库名称,存货编码,存货名称,仓管员,上次盘点日期,下次盘点日期,逾期天数\r\n"
              "01,成品库,A003,件A003,,,从未盘点,\r\n"
              "02,原料库,B001,件B001,,2026-12-01,2026-12-08,1\r\n"
              "01,成品库,A001,件A001,P01 张三,2026-11-29,2026-12-09,0\r\n");
}

TEST_F(DueReportTest, AUserSeesOnlyTheWarehousesTheyMayRead) {
    ASSERT_EQ(Run("u01"), 0);
    EXPECT_EQ(Written().find("B001"), std::string::npos);
    EXPECT_NE(Written().find("A001"), std::string::npos);
}

TEST_F(DueReportTest, FiltersByWarehouseAndStorekeeper) {
    request.storekeeper = "P01";
    ASSERT_EQ(Run("demo"), 0);
    EXPECT_NE(Written().find("A001"), std::string::npos);
    EXPECT_EQ(Written().find("A003"), std::string::npos);
    request.storekeeper.clear();
    request.warehouse = "02";
    ASSERT_EQ(Run("demo"), 0);
    EXPECT_EQ(Written().find("A00"), std::string::npos);
    EXPECT_NE(Written().find("B001"), std::string::npos);
}

TEST_F(DueReportTest, WritesAWorkbookAndRefusesWhatItCannotUse) {
    ASSERT_EQ(Run("demo", "xlsx"), 0);
    EXPECT_EQ(Written().substr(0, 2), "PK");
    EXPECT_EQ(Run("demo", "pdf"), 2);
    request.format = "csv";
    request.date = "1899-12-31";
    EXPECT_EQ(RunDueReport(request, db.Environment()), 2);
    request.date = "2026-12-09";
    request.database = db.Folder() + "/missing.db";
    EXPECT_EQ(RunDueReport(request, db.Environment()), 1);
}

}  // namespace
}  // namespace zel
