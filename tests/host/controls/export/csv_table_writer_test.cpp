#include "host/controls/export/csv_table_writer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

#include "host/controls/export/table_export.h"

namespace zel {
namespace {

class CsvTableWriterTest : public ::testing::Test {
protected:
    std::string Path(const char* name) const {
        return QDir(dir.path()).filePath(name).toStdString();
    }

    static std::string Bytes(const std::string& path) {
        QFile file(QString::fromStdString(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }

    std::string Written(const PrintData& data) {
        const std::string path = Path("table.csv");
        std::string error;
        EXPECT_TRUE(WriteTableFile({path, ExportFormat::kCsv}, data, "", "", error)) << error;
        return Bytes(path);
    }

    QTemporaryDir dir;
};

TEST_F(CsvTableWriterTest, WritesExactBytesForTrickyTexts) {
    PrintData data;
    data.headers = {"序号", "存货编码", "存货名称", "规格"};
    data.cells = {"1",           "001", "螺钉, 六角",
                  "M5 \"细牙\"",  //
                  "2",           "A9",  "第一行\n第二行",
                  "a\r\nb",  //
                  "3",           "",    "5.00",           "\"\""};
    EXPECT_EQ(Written(data),
              "\xEF\xBB\xBF"
              "序号,存货编码,存货名称,规格\r\n"
              "1,001,\"螺钉, 六角\",\"M5 \"\"细牙\"\"\"\r\n"
              "2,A9,\"第一行\n第二行\",\"a\r\nb\"\r\n"
              "3,,5.00,\"\"\"\"\"\"\r\n");
}

// A spreadsheet would run these as formulas: in a text column each is written quoted behind an
// apostrophe, which it shows as text. A number column keeps its numbers, negative ones too, and
// guards only what does not read as a number.
TEST_F(CsvTableWriterTest, GuardsTextCellsThatASpreadsheetWouldRunAsFormulas) {
    struct Case {
        const char* cell;
        const char* textField;
        const char* numberField;
    };
    const std::vector<Case> cases = {
        {"=1+1", "\"'=1+1\"", "\"'=1+1\""},
        {"=HYPERLINK(\"http://x\",\"y\")", "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\"",
         "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\""},
        {"@SUM(A1)", "\"'@SUM(A1)\"", "\"'@SUM(A1)\""},
        {"+5", "\"'+5\"", "\"'+5\""},
        {"-5", "\"'-5\"", "-5"},
        {"-1,234.50", "\"'-1,234.50\"", "\"-1,234.50\""},
        {"\tx", "\"'\tx\"", "\"'\tx\""},
        {"\rx", "\"'\rx\"", "\"'\rx\""},
        // Guarded too, so that taking one apostrophe off reads every text back as it was.
        {"'x", "\"''x\"", "\"''x\""},
        {"a=1", "a=1", "a=1"},
    };
    for (const Case& each : cases) {
        PrintData data;
        data.headers = {"序号", "名称", "数量"};
        data.cells = {"1", each.cell, each.cell};
        const std::string path = Path("guarded.csv");
        std::string error;
        ASSERT_TRUE(WriteTableFile({path, ExportFormat::kCsv}, data, "N,T,N", "0,60,2", error));
        EXPECT_EQ(Bytes(path), std::string("\xEF\xBB\xBF序号,名称,数量\r\n1,") + each.textField +
                                   "," + each.numberField + "\r\n")
            << each.cell;
    }
}

TEST_F(CsvTableWriterTest, ATableWithoutRowsIsItsHeader) {
    PrintData data;
    data.headers = {"A", "B,C"};
    EXPECT_EQ(Written(data),
              "\xEF\xBB\xBF"
              "A,\"B,C\"\r\n");
}

TEST_F(CsvTableWriterTest, RowsBeyondOneWriteChunkAreAllWritten) {
    PrintData data;
    data.headers = {"序号", "名称"};
    const std::string name(100, 'x');
    constexpr int kRows = 30000;
    for (int row = 1; row <= kRows; ++row) {
        data.cells.push_back(std::to_string(row));
        data.cells.push_back(name);
    }
    const std::string bytes = Written(data);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), kRows + 1);
    EXPECT_TRUE(bytes.ends_with("30000," + name + "\r\n"));
}

TEST_F(CsvTableWriterTest, AFileThatCannotBeWrittenGivesTheReason) {
    PrintData data;
    data.headers = {"A"};
    std::string reason;
    EXPECT_FALSE(WriteCsvTable(Path("missing/table.csv"), data, {}, reason));
    EXPECT_FALSE(reason.empty());
}

}  // namespace
}  // namespace zel
