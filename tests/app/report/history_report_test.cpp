#include "app/report/history_report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/test_database.h"

namespace zel {
namespace {

// Entries at chosen times: on 2026-11-30 the add of 01 A001, on 2026-12-01 a change of 01 A001
// and one of 02 B001 (which only a user with rights on 02 sees), on 2026-12-02 the delete of
// 01 A001 by a write from outside the program.
class HistoryReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.AddWarehouse("01", "成品库");
        db.AddWarehouse("02", "原料库");
        db.AddInventory("A001", "螺钉");
        db.AddInventory("B001", "钢板");
        AddEntry(1, "2026-11-30 23:59:59", "'demo'", "add");
        AddValue(1, "01", "A001", "iTopSum", "null", "'12.345678'");
        AddEntry(2, "2026-12-01 00:00:00", "'demo'", "change");
        AddValue(2, "01", "A001", "iTopSum", "'12.345678'", "'0.000001'");
        AddValue(2, "02", "B001", "dLastDate", "'2026-11-01'", "'2026-12-01'");
        AddEntry(3, "2026-12-02 10:00:00", "null", "delete");
        AddValue(3, "01", "A001", "iTopSum", "'0.000001'", "null");
        AddEntry(4, "2026-12-02 11:00:00", "'demo'", "import");
        AddValue(4, "01", "A001", "iSafeNum", "null", "'5'");
        ASSERT_TRUE(db.Execute("insert into aa_user (cUserId, cUserName, bAdmin) values ('" +
                               reader.userId + "', '王五', 0)"));
        ASSERT_TRUE(
            db.Execute("insert into aa_rowauth (cUserId, cBusObCode, cACCode, cRight) "
                       "values ('" +
                       reader.userId + "', 'Warehouse', '01', 'R')"));
        request.database = db.DatabaseArgument();
        request.from = "2026-12-01";
        request.to = "2026-12-02";
        request.output = db.Folder() + "/history.csv";
        request.configPath = db.Folder() + "/none.ini";
    }

    void AddEntry(int change, const std::string& when, const std::string& user,
                  const std::string& kind) {
        ASSERT_TRUE(db.Execute("insert into whinv_change (iChange, dWhen, cUser, cKind) " +
                               std::string(db.OnServer() ? "overriding system value " : "") +
                               "values (" + std::to_string(change) + ", '" + when + "', " + user +
                               ", '" + kind + "')"));
    }
    void AddValue(int change, const std::string& warehouse, const std::string& item,
                  const std::string& field, const std::string& oldValue,
                  const std::string& newValue) {
        ASSERT_TRUE(
            db.Execute("insert into whinv_change_value (iChange, cWhCode, cInvCode, cField, "
                       "cOldValue, cNewValue) values (" +
                       std::to_string(change) + ", '" + warehouse + "', '" + item + "', '" + field +
                       "', " + oldValue + ", " + newValue + ")"));
    }

    int Run() { return RunHistoryReport(request, db.Environment()); }

    std::string Written() const {
        std::ifstream file(request.output, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }

    test::TestDatabase db;
    // Reads warehouse 01 alone.
    const test::TestDatabase::UserLogin reader = db.AddLogin("u01");
    HistoryReportRequest request;
};

TEST_F(HistoryReportTest, ListsTheChangesOfTheDaysNewestFirstWithTheirExactValues) {
    ASSERT_EQ(Run(), 0);
    const std::string written = Written();
    EXPECT_EQ(written.substr(0, written.find("\r\n")),
              "\xEF\xBB\xBF"
              "时间,操作员,操作,仓库编码,仓库名称,存货编码,存货名称,项目,原值,新值");
    const std::string body = written.substr(written.find("\r\n") + 2);
    // The field's caption is the account's own: the rows are compared around it.
    EXPECT_EQ(body.find("2026-12-02 11:00:00,demo,导入,01,成品库,A001,螺钉,"), 0u) << body;
    EXPECT_NE(body.find(",,5\r\n2026-12-02 10:00:00,（其他程序）,删除,01,成品库,A001,螺钉,"),
              std::string::npos)
        << body;
    EXPECT_NE(body.find(",0.000001,\r\n2026-12-01 00:00:00,demo,修改,"), std::string::npos) << body;
    EXPECT_NE(body.find(",12.345678,0.000001\r\n"), std::string::npos) << body;
    EXPECT_NE(body.find("02,原料库,B001,钢板,"), std::string::npos) << body;
    EXPECT_NE(body.find(",2026-11-01,2026-12-01\r\n"), std::string::npos) << body;
    EXPECT_EQ(body.find("2026-11-30"), std::string::npos) << body;
    EXPECT_EQ(std::count(body.begin(), body.end(), '\n'), 4) << body;
}

TEST_F(HistoryReportTest, AUserSeesTheHistoryOfTheWarehousesHeMayReadOnly) {
    request.database = reader.database;
    request.user = reader.userId;
    ASSERT_EQ(Run(), 0);
    EXPECT_EQ(Written().find("B001"), std::string::npos);
    EXPECT_NE(Written().find("A001"), std::string::npos);
}

TEST_F(HistoryReportTest, NarrowsToOneWarehouse) {
    request.warehouse = "02";
    ASSERT_EQ(Run(), 0);
    EXPECT_EQ(Written().find("A001"), std::string::npos);
    EXPECT_NE(Written().find("B001"), std::string::npos);
}

TEST_F(HistoryReportTest, WritesAWorkbook) {
    request.format = "xlsx";
    request.output = db.Folder() + "/history.xlsx";
    ASSERT_EQ(Run(), 0);
    EXPECT_EQ(Written().substr(0, 2), "PK");
}

// Nothing is written for a request the report cannot use, and the reason is told.
TEST_F(HistoryReportTest, RefusesWhatItCannotUse) {
    const struct {
        const char* what;
        std::string from;
        std::string to;
        std::string format;
        std::string told;
    } cases[] = {
        {"no start", "", "2026-12-02", "csv", "--from is needed"},
        {"no end", "2026-12-01", "", "csv", "--to is needed"},
        {"a day that is none", "2026-02-30", "2026-12-02", "csv", "2026-02-30"},
        {"an end before the start", "2026-12-02", "2026-12-01", "csv", "comes before"},
        {"a format it does not write", "2026-12-01", "2026-12-02", "pdf", "pdf"},
    };
    for (const auto& c : cases) {
        request.from = c.from;
        request.to = c.to;
        request.format = c.format;
        testing::internal::CaptureStderr();
        EXPECT_EQ(Run(), 2) << c.what;
        const std::string told = testing::internal::GetCapturedStderr();
        EXPECT_NE(told.find(c.told), std::string::npos) << c.what << ": " << told;
        EXPECT_FALSE(std::filesystem::exists(request.output)) << c.what;
    }
}

// A script must never take a history that could not be read for one without changes.
TEST_F(HistoryReportTest, AQueryThatFailsEndsOneWithTheReasonAndWritesNothing) {
    ASSERT_TRUE(db.Execute("alter table whinv_change rename to whinv_change_gone"));
    testing::internal::CaptureStderr();
    EXPECT_EQ(Run(), 1);
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_NE(told.find("whinv-report: the history cannot be read: "), std::string::npos) << told;
    EXPECT_FALSE(std::filesystem::exists(request.output));
}

}  // namespace
}  // namespace zel
