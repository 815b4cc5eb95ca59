#include "app/report/due_report.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QString>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <string>

#include "host/controls/export/xlsx_styles.h"
#include "host/controls/import/csv_table_reader.h"
#include "host/controls/import/xlsx_table_reader.h"
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
        ASSERT_TRUE(db.Execute("insert into aa_user (cUserId, cUserName, bAdmin) values ('" +
                               reader.userId + "', '王五', 0)"));
        ASSERT_TRUE(
            db.Execute("insert into aa_rowauth (cUserId, cBusObCode, cACCode, cRight) "
                       "values ('" +
                       reader.userId + "', 'Warehouse', '01', 'R')"));
    }

    // Without a user: demo on a file, the login on a server, each the account's administrator.
    int Run(const std::optional<std::string>& user = std::nullopt,
            const std::string& format = "csv") {
        return RunOn(db.DatabaseArgument(), user, format);
    }

    int RunOn(const std::string& database, const std::optional<std::string>& user,
              const std::string& format) {
        request.database = database;
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
    // Reads warehouse 01 alone.
    const test::TestDatabase::UserLogin reader = db.AddLogin("u01");
    DueReportRequest request;
};

TEST_F(DueReportTest, ListsTheDueRowsNeverCountedFirstThenByNextCheck) {
    ASSERT_EQ(Run(), 0);
    EXPECT_EQ(Written(),
              "\xEF\xBB\xBF"
              "仓库编码,仓库名称,存货编码,存货名称,仓管员,上次盘点日期,下次盘点日期,逾期天数\r\n"
              "01,成品库,A003,件A003,,,从未盘点,\r\n"
              "02,原料库,B001,件B001,,2026-12-01,2026-12-08,1\r\n"
              "01,成品库,A001,件A001,P01 张三,2026-11-29,2026-12-09,0\r\n");
}

// On a file the user is the one named; on a server the login, named or not, in any letter case.
TEST_F(DueReportTest, AUserSeesOnlyTheWarehousesTheyMayRead) {
    std::vector<std::optional<std::string>> named{reader.userId};
    if (db.OnServer()) {
        named.push_back(std::nullopt);
        named.push_back(QString::fromStdString(reader.userId).toUpper().toStdString());
    }
    for (const auto& user : named) {
        ASSERT_EQ(RunOn(reader.database, user, "csv"), 0) << user.value_or("-");
        EXPECT_EQ(Written().find("B001"), std::string::npos);
        EXPECT_NE(Written().find("A001"), std::string::npos);
    }
}

// A user other than the server login is a request the report cannot use (2); a user the account
// does not know, or an account that cannot be opened, is a failure (1). Either way nothing is
// written and the reason names the user, never the connection text or its password.
TEST_F(DueReportTest, AUserThatCannotBeEstablishedIsRefusedWithTheReason) {
    const auto stranger = db.AddLogin("nobdy");
    struct Case {
        const char* what;
        bool serverOnly;
        std::string database;
        std::optional<std::string> user;
        int status;
        std::string named;
    };
    const std::vector<Case> cases = {
        {"another user than the login", true, reader.database, "demo", 2, "demo"},
        {"a user without a row", false, stranger.database,
         db.OnServer() ? std::nullopt : std::optional(stranger.userId), 1, stranger.userId},
        // The server's own database holds no account.
        {"a database that is no account", true,
         "postgresql:" + test::TestDatabase::Server().value_or("") + " password=whisper",
         std::nullopt, 1, "无法打开账套"},
    };
    for (const auto& each : cases) {
        if (each.serverOnly && !db.OnServer()) {
            continue;
        }
        std::error_code absent;
        std::filesystem::remove(db.Folder() + "/due.csv", absent);
        testing::internal::CaptureStderr();
        EXPECT_EQ(RunOn(each.database, each.user, "csv"), each.status) << each.what;
        const std::string told = testing::internal::GetCapturedStderr();
        EXPECT_NE(told.find(each.named), std::string::npos) << each.what << ": " << told;
        for (const char* secret : {"host=", "whisper"}) {
            EXPECT_EQ(told.find(secret), std::string::npos) << each.what << ": " << told;
        }
        EXPECT_FALSE(std::filesystem::exists(request.output)) << each.what;
    }
}

// A script must never take a report that could not be read for one with no row due.
TEST_F(DueReportTest, AQueryThatFailsEndsOneWithTheReasonAndWritesNothing) {
    ASSERT_TRUE(db.Execute("alter table Person rename to PersonGone"));
    testing::internal::CaptureStderr();
    EXPECT_EQ(Run(), 1);
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_NE(told.find("whinv-report: the rows cannot be read: "), std::string::npos) << told;
    EXPECT_NE(QString::fromStdString(told).indexOf("person", 0, Qt::CaseInsensitive), -1) << told;
    EXPECT_FALSE(std::filesystem::exists(request.output));
}

TEST_F(DueReportTest, FiltersByWarehouseAndStorekeeper) {
    request.storekeeper = "P01";
    ASSERT_EQ(Run(), 0);
    EXPECT_NE(Written().find("A001"), std::string::npos);
    EXPECT_EQ(Written().find("A003"), std::string::npos);
    request.storekeeper.clear();
    request.warehouse = "02";
    ASSERT_EQ(Run(), 0);
    EXPECT_EQ(Written().find("A00"), std::string::npos);
    EXPECT_NE(Written().find("B001"), std::string::npos);
}

// The sheet XML of the workbook written.
std::string SheetXml(const std::string& path) {
    QProcess reader;
    reader.start("/usr/bin/python3", {"-c",
                                      "import sys, zipfile; "
                                      "sys.stdout.write(zipfile.ZipFile(sys.argv[1]).read("
                                      "'xl/worksheets/sheet1.xml').decode())",
                                      QString::fromStdString(path)});
    reader.waitForFinished(60000);
    return reader.readAllStandardOutput().toStdString();
}

// As the due window's own export: check dates are dates (day numbers in the date style) and the
// days overdue numbers, so that a spreadsheet sorts them right.
TEST_F(DueReportTest, AWorkbookHoldsTheDatesAsDatesAndTheDaysAsNumbers) {
    ASSERT_EQ(Run(std::nullopt, "xlsx"), 0);
    const std::string sheet = SheetXml(request.output);
    ASSERT_NE(sheet.find("<sheetData>"), std::string::npos) << sheet;
    const std::string date = "<c s=\"" + std::to_string(XlsxStyles::kDate) + "\"><v>";
    // B001: last counted 2026-12-01, next 2026-12-08, one day overdue.
    EXPECT_NE(sheet.find(date + "46357</v></c>" + date + "46364</v></c><c s=\""), std::string::npos)
        << sheet;
    EXPECT_TRUE(
        std::regex_search(sheet, std::regex(date + "46364</v></c><c s=\"[0-9]+\"><v>1</v></c>")))
        << sheet;
    EXPECT_EQ(sheet.find(">2026-12-01<"), std::string::npos) << sheet;
}

// Every row of a table file as the program's own import reads it, the header first.
std::vector<std::vector<std::string>> ReadRows(TableReader& reader) {
    std::vector<std::vector<std::string>> rows;
    if (!reader.Open()) {
        ADD_FAILURE() << reader.Error().message;
        return rows;
    }
    rows.push_back(reader.Header());
    for (std::vector<std::string> cells; reader.NextRow(cells);) {
        rows.push_back(cells);
    }
    return rows;
}

// The workbook holds the same cells as the CSV report, read back by the program's own reader:
// the typed dates and numbers come back as the texts the CSV shows.
TEST_F(DueReportTest, AWorkbookReadsBackAsTheSameCellsAsTheCsvReport) {
    ASSERT_EQ(Run(), 0);
    CsvTableReader csv(QString::fromStdString(request.output));
    const auto csvRows = ReadRows(csv);
    ASSERT_EQ(Run(std::nullopt, "xlsx"), 0);
    XlsxTableReader xlsx(QString::fromStdString(request.output), "");
    EXPECT_EQ(ReadRows(xlsx), csvRows);
    EXPECT_EQ(csvRows.size(), 4u);
}

// A read that breaks off after the report has begun to write (here a row whose item name the
// engine cannot work out, read last) must never leave a file that looks like the whole report:
// the status is 1 with the reason, and a report written earlier stays as it was.
TEST_F(DueReportTest, AReadThatBreaksOffPartWayEndsOneAndKeepsTheEarlierFile) {
    db.AddInventory("A900", "坏");
    db.AddCorrespondence("01", "A900",
                         {{"cFrequency", "天"}, {"iFrequency", 1}, {"dLastDate", "2026-12-08"}});
    const std::string failing = db.OnServer() ? "(cInvCode::int)::text" : "json(cInvCode)";
    ASSERT_TRUE(db.Execute("alter table Inventory rename to InventoryKept"));
    ASSERT_TRUE(
        db.Execute("create view Inventory as select cInvCode, case when cInvCode='A900' then " +
                   failing + " else cInvName end as cInvName from InventoryKept"));
    for (const char* format : {"csv", "xlsx"}) {
        request.output = db.Folder() + "/due." + format;
        {
            std::ofstream earlier(request.output, std::ios::binary);
            earlier << "earlier";
        }
        request.format = format;
        testing::internal::CaptureStderr();
        EXPECT_EQ(RunOn(db.DatabaseArgument(), std::nullopt, format), 1) << format;
        const std::string told = testing::internal::GetCapturedStderr();
        EXPECT_NE(told.find("whinv-report: the rows cannot be read: "), std::string::npos)
            << format << ": " << told;
        EXPECT_EQ(Written(), "earlier") << format;
    }
    // Nor is a half-written file left beside them.
    for (const auto& entry : std::filesystem::directory_iterator(db.Folder())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name.rfind("due.", 0) != 0 || name == "due.csv" || name == "due.xlsx") << name;
    }
}

TEST_F(DueReportTest, WritesAWorkbookAndRefusesWhatItCannotUse) {
    ASSERT_EQ(Run(std::nullopt, "xlsx"), 0);
    EXPECT_EQ(Written().substr(0, 2), "PK");
    EXPECT_EQ(Run(std::nullopt, "pdf"), 2);
    request.format = "csv";
    request.date = "1899-12-31";
    EXPECT_EQ(RunDueReport(request, db.Environment()), 2);
    request.date = "2026-12-09";
    request.database = db.Folder() + "/missing.db";
    EXPECT_EQ(RunDueReport(request, db.Environment()), 1);
}

}  // namespace
}  // namespace zel
