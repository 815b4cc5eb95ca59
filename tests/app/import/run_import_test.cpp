#include "app/import/run_import.h"

#include <gtest/gtest.h>

#include <QFile>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/import/import_status.h"
#include "host/controls/export/xlsx_table_writer.h"
#include "support/test_database.h"

namespace zel {
namespace {

struct ImportRun {
    int status = -1;
    std::string told;    // standard output
    std::string errors;  // standard error
};

// Warehouse 01 holds A001 and A002; A003 is an item without a row; A009 ended in 2020.
class RunImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.AddWarehouse("01", "成品库");
        db.AddInventory("A001", "螺钉");
        db.AddInventory("A002", "螺母");
        db.AddInventory("A003", "垫圈");
        db.AddInventory("A009", "停用件", {{"dEDate", "2020-01-01"}});
        db.AddCorrespondence("01", "A001", {{"iTopSum", 100}, {"iLowSum", 10}});
        db.AddCorrespondence("01", "A002", {{"iTopSum", 50}});
    }

    std::string Write(const std::string& name, const std::string& content) {
        const std::string path = db.Folder() + "/" + name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    ImportRun Run(const std::string& file) {
        request.file = file;
        request.database = db.DatabaseArgument();
        request.configPath = db.Folder() + "/none.ini";
        request.date = "2024-03-15";
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        ImportRun run;
        run.status = RunImport(request, db.Environment());
        run.errors = testing::internal::GetCapturedStderr();
        run.told = testing::internal::GetCapturedStdout();
        return run;
    }

    // Every row and field of the table, and the history's size: what nothing written leaves.
    std::string State() {
        std::string state;
        const auto rows = db.OpenService()->OpenX(
            "select cWhCode, cInvCode, iTopSum, iLowSum, dModifyDate from WhInvContrapose "
            "order by cWhCode, cInvCode");
        for (; rows && !rows->Eof(); rows->MoveNext()) {
            for (int i = 0; i < 5; ++i) {
                state += rows->Fields(i)->ToString() + "|";
            }
            state += "\n";
        }
        return state + "history " + db.Scalar("select count(*) from whinv_change").ToString() +
               "/" + db.Scalar("select count(*) from whinv_change_value").ToString();
    }

    std::string TopSum(const std::string& item) {
        return db
            .Scalar("select iTopSum from WhInvContrapose where cWhCode = '01' and cInvCode = '" +
                    item + "'")
            .ToString();
    }

    test::TestDatabase db;
    ImportRequest request;
};

// Columns named by their fields, as a script that writes its own file names them.
const char* const kHeader = "cWhCode,cInvCode,iTopSum,iLowSum\r\n";

// A changed row, a new one, an unchanged one, an ended item and an unknown one.
std::string MixedRows() {
    return std::string(kHeader) +
           "01,A001,120.5,10\r\n"
           "01,A002,50,\r\n"
           "01,A003,30,3\r\n"
           "01,A009,1,\r\n"
           "01,Z999,1,\r\n";
}

TEST_F(RunImportTest, RefusedRowsInAllOrNothingWriteNothingAndNameEachRow) {
    const std::string before = State();
    const ImportRun run = Run(Write("mixed.csv", MixedRows()));
    EXPECT_EQ(run.status, kImportRowsRefused) << run.told << run.errors;
    EXPECT_NE(run.told.find("新增 1 行，修改 1 行，不变 1 行，拒绝 2 行"), std::string::npos)
        << run.told;
    EXPECT_NE(run.told.find("第 5 行（仓库 01，存货 A009）"), std::string::npos) << run.told;
    EXPECT_NE(run.told.find("第 6 行（仓库 01，存货 Z999）"), std::string::npos) << run.told;
    EXPECT_NE(run.told.find("--valid-only"), std::string::npos) << run.told;
    EXPECT_EQ(State(), before);
}

TEST_F(RunImportTest, ValidOnlyWritesTheOtherRowsAndTheRefusedFileHoldsTheReasons) {
    request.validOnly = true;
    request.refusedFile = db.Folder() + "/refused.csv";
    const ImportRun run = Run(Write("mixed.csv", MixedRows()));
    EXPECT_EQ(run.status, kImportDone) << run.told << run.errors;
    EXPECT_EQ(run.errors, "");
    EXPECT_EQ(TopSum("A001"), "120.5");
    EXPECT_EQ(TopSum("A003"), "30");
    std::ifstream refused(request.refusedFile, std::ios::binary);
    const std::string written{std::istreambuf_iterator<char>(refused), {}};
    EXPECT_NE(written.find("A009"), std::string::npos) << written;
    EXPECT_NE(written.find("Z999"), std::string::npos) << written;
    EXPECT_EQ(written.find("A001"), std::string::npos) << written;
}

TEST_F(RunImportTest, ADryRunReportsAndWritesNothing) {
    request.dryRun = true;
    const std::string before = State();
    const ImportRun clean = Run(Write("clean.csv", std::string(kHeader) + "01,A001,120.5,10\r\n"));
    EXPECT_EQ(clean.status, kImportDone) << clean.told << clean.errors;
    EXPECT_NE(clean.told.find("修改 1 行"), std::string::npos) << clean.told;
    EXPECT_EQ(State(), before);

    const ImportRun mixed = Run(Write("mixed.csv", MixedRows()));
    EXPECT_EQ(mixed.status, kImportRowsRefused) << mixed.told;
    EXPECT_EQ(State(), before);
}

TEST_F(RunImportTest, RefusesArgumentsItCannotUse) {
    const std::string file = Write("clean.csv", std::string(kHeader) + "01,A001,120.5,10\r\n");
    const std::string before = State();
    const struct {
        const char* name;
        void (*set)(ImportRequest&);
    } cases[] = {
        {"format", [](ImportRequest& r) { r.format = "ods"; }},
        {"date", [](ImportRequest& r) { r.date = "2024-02-30"; }},
        {"sheet of a csv", [](ImportRequest& r) { r.sheet = "Sheet1"; }},
    };
    for (const auto& c : cases) {
        request = {};
        c.set(request);
        const std::string date = request.date;
        request.file = file;
        ImportRun run;
        testing::internal::CaptureStderr();
        request.database = db.DatabaseArgument();
        request.configPath = db.Folder() + "/none.ini";
        run.status = RunImport(request, db.Environment());
        run.errors = testing::internal::GetCapturedStderr();
        EXPECT_EQ(run.status, kImportBadRequest) << c.name;
        EXPECT_EQ(run.errors.rfind("whinv-import: ", 0), 0u) << c.name << ": " << run.errors;
    }
    EXPECT_EQ(State(), before);
}

// A workbook's sheet is chosen by its name; a name it does not hold is refused before anything
// is read or written.
TEST_F(RunImportTest, ReadsTheSheetNamedAndRefusesOneTheWorkbookLacks) {
    PrintData table;
    table.title = "上限";
    table.headers = {"cWhCode", "cInvCode", "iTopSum"};
    table.cells = CellTexts({"01", "A001", "12.345678"});
    std::string reason;
    const std::string workbook = db.Folder() + "/limits.xlsx";
    ASSERT_TRUE(WriteXlsxTable(workbook, table, {}, reason)) << reason;
    const std::string before = State();

    request.sheet = "下限";
    const ImportRun missing = Run(workbook);
    EXPECT_EQ(missing.status, kImportFailed) << missing.told;
    EXPECT_NE(missing.errors.find("下限"), std::string::npos) << missing.errors;
    EXPECT_EQ(State(), before);

    request.sheet = "上限";
    const ImportRun read = Run(workbook);
    EXPECT_EQ(read.status, kImportDone) << read.told << read.errors;
    EXPECT_EQ(TopSum("A001"), "12.345678");
}

// A cell just under the readers' limit is read, and its row refused for what it holds: the
// message names the row and the column and quotes the cell cut short.
TEST_F(RunImportTest, AMegabyteCellIsRefusedWithTheCellCutShort) {
    const std::string megabyte(1'000'000, '9');
    const std::string before = State();
    const ImportRun run = Run(Write("megabyte.csv", std::string(kHeader) + "01,A001," + megabyte +
                                                        "x,10\r\n01," + megabyte + ",1,\r\n"));
    EXPECT_EQ(run.status, kImportRowsRefused) << run.errors;
    EXPECT_LT(run.told.size(), 2000u) << "the report repeats the cell";
    EXPECT_NE(run.told.find("第 2 行"), std::string::npos) << run.told;
    EXPECT_NE(run.told.find("iTopSum"), std::string::npos) << run.told;
    EXPECT_NE(run.told.find("第 3 行"), std::string::npos) << run.told;
    EXPECT_EQ(State(), before);
}

// A file that cannot be read to its end is refused with where reading stopped; nothing is
// written, neither rows nor history.
TEST_F(RunImportTest, BadInputIsRefusedWithItsRowAndColumnAndWritesNothing) {
    // A workbook the export writes, for the cases that damage one.
    PrintData table;
    table.headers = {"cWhCode", "cInvCode", "iTopSum"};
    table.cells = CellTexts({"01", "A001", "120.5", "01", "A002", "60"});
    std::string reason;
    const std::string workbook = db.Folder() + "/whole.xlsx";
    ASSERT_TRUE(WriteXlsxTable(workbook, table, {}, reason)) << reason;
    std::ifstream whole(workbook, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(whole), {}};
    PrintData huge = table;
    huge.cells = CellTexts({"01", "A001", std::string((1 << 20) + 1, '9'), "01", "A002", "60"});
    ASSERT_TRUE(WriteXlsxTable(db.Folder() + "/huge.xlsx", huge, {}, reason)) << reason;

    const struct {
        const char* name;
        std::string file;
        std::vector<std::string> told;  // what the message must name
    } cases[] = {
        {"empty csv", Write("empty.csv", ""), {"empty.csv"}},
        {"empty xlsx", Write("empty.xlsx", ""), {"empty.xlsx"}},
        {"header alone", Write("header.csv", kHeader), {"第 2 行"}},
        {"header alone, no line end",
         Write("header2.csv", "cWhCode,cInvCode,iTopSum"),
         {"第 2 行"}},
        {"truncated xlsx",
         Write("truncated.xlsx", bytes.substr(0, bytes.size() / 2)),
         {"truncated.xlsx"}},
        {"unclosed quote",
         Write("quote.csv", std::string(kHeader) + "01,A001,\"120.5,10\r\n01,A002,60,\r\n"),
         {"第 2 行", "第 3 列"}},
        {"1 MB cell in csv",
         Write("huge.csv",
               std::string(kHeader) + "01,A001," + std::string((1 << 20) + 1, '9') + ",10\r\n"),
         {"第 2 行", "第 3 列"}},
        {"1 MB cell in xlsx", db.Folder() + "/huge.xlsx", {"第 2 行", "第 3 列"}},
    };
    const std::string before = State();
    for (const auto& c : cases) {
        const ImportRun run = Run(c.file);
        EXPECT_EQ(run.status, kImportFailed) << c.name << ": " << run.told << run.errors;
        EXPECT_EQ(run.errors.rfind("whinv-import: ", 0), 0u) << c.name << ": " << run.errors;
        for (const std::string& part : c.told) {
            EXPECT_NE(run.errors.find(part), std::string::npos) << c.name << ": " << run.errors;
        }
        EXPECT_LT(run.errors.size(), 1000u) << c.name << ": the message repeats the cell";
        EXPECT_EQ(State(), before) << c.name;
    }
}

}  // namespace
}  // namespace zel
