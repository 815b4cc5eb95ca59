#include "host/controls/export/xlsx_table_writer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "host/controls/export/table_export.h"
#include "support/case_name.h"

namespace zel {
namespace {

// Reads the workbook with an independent reader and reports every cell as
// [kind, value, number format, bold], kind one of empty, number, date, text.
constexpr const char* kReader = R"(
import datetime, json, sys
import openpyxl
sheet = openpyxl.load_workbook(sys.argv[1]).worksheets[0]
def cell(c):
    v = c.value
    if v is None:
        kind, value = "empty", ""
    elif isinstance(v, datetime.datetime):
        kind, value = "date", v.strftime("%Y-%m-%d")
    elif isinstance(v, (int, float)) and not isinstance(v, bool):
        kind, value = "number", float(v)
    else:
        kind, value = "text", v
    return [kind, value, c.number_format, bool(c.font.b)]
widths = {k: d.width for k, d in sheet.column_dimensions.items()}
print(json.dumps({"title": sheet.title, "freeze": sheet.freeze_panes, "widths": widths,
                  "heading": sheet.oddHeader.center.text or "",
                  "rows": [[cell(c) for c in row] for row in sheet.iter_rows()]}))
)";

struct ReadCell {
    std::string kind;
    QJsonValue value;
    std::string format;
    bool bold = false;
};

struct ReadSheet {
    std::string title;
    std::string freeze;
    QJsonObject widths;
    // The centre of the page heading a printout of the sheet carries.
    std::string heading;
    std::vector<std::vector<ReadCell>> rows;
};

std::optional<ReadSheet> ReadBack(const std::string& path) {
    QProcess reader;
    reader.start("/usr/bin/python3", {"-c", kReader, QString::fromStdString(path)});
    if (!reader.waitForFinished(60000) || reader.exitCode() != 0) {
        ADD_FAILURE() << reader.readAllStandardError().toStdString();
        return std::nullopt;
    }
    const QJsonObject read = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
    ReadSheet sheet{read["title"].toString().toStdString(),
                    read["freeze"].toString().toStdString(),
                    read["widths"].toObject(),
                    read["heading"].toString().toStdString(),
                    {}};
    for (const QJsonValue& row : read["rows"].toArray()) {
        std::vector<ReadCell>& cells = sheet.rows.emplace_back();
        for (const QJsonValue& cell : row.toArray()) {
            const QJsonArray parts = cell.toArray();
            cells.push_back({parts[0].toString().toStdString(), parts[1],
                             parts[2].toString().toStdString(), parts[3].toBool()});
        }
    }
    return sheet;
}

class XlsxTableWriterTest : public ::testing::Test {
protected:
    std::string Path(const char* name) const {
        return QDir(dir.path()).filePath(name).toStdString();
    }

    std::optional<ReadSheet> WrittenAndRead(const PrintData& data, std::string_view types,
                                            std::string_view sizes) {
        const std::string path = Path("table.xlsx");
        std::string error;
        if (!WriteTableFile({path, ExportFormat::kXlsx}, data, types, sizes, error)) {
            ADD_FAILURE() << error;
            return std::nullopt;
        }
        return ReadBack(path);
    }

    QTemporaryDir dir;
};

// What a cell must read back as.
struct Expected {
    const char* kind;
    const char* text;  // for text and date cells
    double number;     // for number cells
    const char* format;
};

void ExpectCell(const ReadCell& cell, const Expected& expected, std::size_t row, std::size_t col) {
    SCOPED_TRACE("row " + std::to_string(row) + " col " + std::to_string(col));
    EXPECT_EQ(cell.kind, expected.kind);
    if (cell.kind == "number") {
        EXPECT_DOUBLE_EQ(cell.value.toDouble(), expected.number);
    } else {
        EXPECT_EQ(cell.value.toString().toStdString(), expected.text);
    }
    if (expected.format != nullptr) {
        EXPECT_EQ(cell.format, expected.format);
    }
}

TEST_F(XlsxTableWriterTest, EveryCellReadsBackWithItsKind) {
    PrintData data;
    data.title = "仓库存货对照";
    data.headers = {"序号", "存货编码", "存货名称", "最高库存", "上次盘点日期", "盘点周期"};
    data.cells = {"1",
                  "001",
                  "螺钉, \"M5\"",
                  "12.50",
                  "2024-02-29",
                  "周",  //
                  "2",
                  "=SUM(A1:A2)",
                  "第一行\n第二行",
                  "abc",
                  "2023-02-30",
                  "月",  //
                  "3",
                  "A-3",
                  "",
                  "1,234.50",
                  "",
                  "天",  //
                  "4",
                  "0004",
                  "长",
                  "-0.25",
                  "31/12/2024",
                  ""};
    const auto sheet = WrittenAndRead(data, "N,T,T,N,D,T", "0,60,255,2,10,2");
    ASSERT_TRUE(sheet);
    const std::vector<std::vector<Expected>> expected{
        {{"text", "序号", 0, nullptr},
         {"text", "存货编码", 0, nullptr},
         {"text", "存货名称", 0, nullptr},
         {"text", "最高库存", 0, nullptr},
         {"text", "上次盘点日期", 0, nullptr},
         {"text", "盘点周期", 0, nullptr}},
        {{"number", "", 1, "0"},
         {"text", "001", 0, "General"},
         {"text", "螺钉, \"M5\"", 0, nullptr},
         {"number", "", 12.5, "0.00"},
         {"date", "2024-02-29", 0, "yyyy-mm-dd"},
         {"text", "周", 0, nullptr}},
        {{"number", "", 2, "0"},
         {"text", "=SUM(A1:A2)", 0, nullptr},
         {"text", "第一行\n第二行", 0, nullptr},
         {"text", "abc", 0, nullptr},
         {"text", "2023-02-30", 0, nullptr},
         {"text", "月", 0, nullptr}},
        {{"number", "", 3, "0"},
         {"text", "A-3", 0, nullptr},
         {"empty", "", 0, nullptr},
         {"number", "", 1234.5, "0.00"},
         {"empty", "", 0, nullptr},
         {"text", "天", 0, nullptr}},
        {{"number", "", 4, "0"},
         {"text", "0004", 0, nullptr},
         {"text", "长", 0, nullptr},
         {"number", "", -0.25, "0.00"},
         {"text", "31/12/2024", 0, nullptr},
         {"empty", "", 0, nullptr}},
    };
    ASSERT_EQ(sheet->rows.size(), expected.size());
    for (std::size_t row = 0; row < expected.size(); ++row) {
        ASSERT_EQ(sheet->rows[row].size(), expected[row].size()) << row;
        for (std::size_t col = 0; col < expected[row].size(); ++col) {
            ExpectCell(sheet->rows[row][col], expected[row][col], row, col);
            EXPECT_EQ(sheet->rows[row][col].bold, row == 0) << row << " " << col;
        }
    }
    EXPECT_EQ(sheet->title, "仓库存货对照");
    EXPECT_EQ(sheet->freeze, "A2");
}

TEST_F(XlsxTableWriterTest, ColumnsAreAsWideAsTheirDeclaredSizesWithinBounds) {
    PrintData data;
    data.headers = {"序号", "编码", "名称", "周期"};
    const auto sheet = WrittenAndRead(data, "N,T,T,T", "0,20,255,2");
    ASSERT_TRUE(sheet);
    const double code = sheet->widths["B"].toDouble();
    const double name = sheet->widths["C"].toDouble();
    const double cycle = sheet->widths["D"].toDouble();
    EXPECT_GT(name, code);
    EXPECT_GT(code, cycle);
    EXPECT_LE(name, 60);
    EXPECT_GE(cycle, 4);
}

TEST_F(XlsxTableWriterTest, WithoutTheSerialColumnTheDescriptionsShiftToTheHeaders) {
    PrintData data;
    data.serialNumbers = false;
    data.headers = {"最高库存", "上次盘点日期"};
    data.cells = {"7.125", "2024-01-31"};
    const auto sheet = WrittenAndRead(data, "N,N,D", "0,3,10");
    ASSERT_TRUE(sheet);
    ASSERT_EQ(sheet->rows.size(), 2u);
    ExpectCell(sheet->rows[1][0], {"number", "", 7.125, "0.000"}, 1, 0);
    ExpectCell(sheet->rows[1][1], {"date", "2024-01-31", 0, "yyyy-mm-dd"}, 1, 1);
}

// The sheet's rows stay the table alone; its printed heading names the warehouse of the rows.
TEST_F(XlsxTableWriterTest, APrintoutOfTheSheetNamesTheWarehouse) {
    PrintData data;
    data.title = "仓库存货对照表";
    data.headers = {"序号", "存货编码"};
    data.cells = {"1", "A001"};
    auto sheet = WrittenAndRead(data, "N,T", "0,20");
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->heading, "");
    data.warehouse = "01 成品库";
    sheet = WrittenAndRead(data, "N,T", "0,20");
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->heading, "仓库存货对照表 仓库：01 成品库");
    EXPECT_EQ(sheet->rows.size(), 2u);
}

TEST_F(XlsxTableWriterTest, ColumnsWithoutDescriptionAreText) {
    PrintData data;
    data.headers = {"序号", "数量"};
    data.cells = {"1", "2.50"};
    const auto sheet = WrittenAndRead(data, "", "");
    ASSERT_TRUE(sheet);
    ExpectCell(sheet->rows[1][0], {"text", "1", 0, nullptr}, 1, 0);
    ExpectCell(sheet->rows[1][1], {"text", "2.50", 0, nullptr}, 1, 1);
}

TEST_F(XlsxTableWriterTest, TextsKeepTheirSpacesAndLoseOnlyWhatXmlForbids) {
    PrintData data;
    data.headers = {" 名称 ", "日期"};
    data.cells = {"  前后有空格 ",
                  "1900-02-28",
                  std::string("a\x01"
                              "b\x1F",
                              4),
                  "2024-01-31",
                  "<&>\"'\r\n",
                  ""};
    const auto sheet = WrittenAndRead(data, "T,D", "20,10");
    ASSERT_TRUE(sheet);
    ASSERT_EQ(sheet->rows.size(), 4u);
    ExpectCell(sheet->rows[0][0], {"text", " 名称 ", 0, nullptr}, 0, 0);
    ExpectCell(sheet->rows[1][0], {"text", "  前后有空格 ", 0, nullptr}, 1, 0);
    ExpectCell(sheet->rows[1][1], {"date", "1900-02-28", 0, "yyyy-mm-dd"}, 1, 1);
    ExpectCell(sheet->rows[2][0], {"text", "ab", 0, nullptr}, 2, 0);
    ExpectCell(sheet->rows[3][0], {"text", "<&>\"'\r\n", 0, nullptr}, 3, 0);
    ExpectCell(sheet->rows[3][1], {"empty", "", 0, nullptr}, 3, 1);
}

struct SheetNameCase {
    const char* title;
    const char* sheet;
};

class XlsxSheetNameTest : public XlsxTableWriterTest,
                          public ::testing::WithParamInterface<SheetNameCase> {};

TEST_P(XlsxSheetNameTest, TheTitleNamesTheSheetAsFarAsASheetNameAllows) {
    PrintData data;
    data.title = GetParam().title;
    data.headers = {"A"};
    const auto sheet = WrittenAndRead(data, "T", "1");
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->title, GetParam().sheet);
}

INSTANTIATE_TEST_SUITE_P(
    Titles, XlsxSheetNameTest,
    ::testing::Values(SheetNameCase{"", "Sheet1"}, SheetNameCase{"a/b:c?[d]", "a_b_c__d_"},
                      SheetNameCase{"'引号'", "引号"}, SheetNameCase{"History", "Sheet1"},
                      SheetNameCase{"'history'", "Sheet1"},
                      SheetNameCase{
                          "一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三",
                          "一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一"}),
    [](const auto& info) {
        return ::zel::test::CaseName(std::to_string(info.index) + " " + info.param.title,
                                     info.index);
    });

TEST_F(XlsxTableWriterTest, MoreRowsThanASheetHoldsAreRefusedWithoutAFile) {
    PrintData data;
    data.headers = {"A"};
    data.cells.reserve(1'048'576);
    for (int row = 0; row < 1'048'576; ++row) {
        data.cells.push_back({});
    }
    std::string reason;
    EXPECT_FALSE(WriteXlsxTable(Path("table.xlsx"), data, {}, reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(Path("table.xlsx"))));
}

TEST_F(XlsxTableWriterTest, AFileThatCannotBeWrittenGivesTheReason) {
    PrintData data;
    data.headers = {"A"};
    data.cells = {"x"};
    std::string reason;
    EXPECT_FALSE(WriteXlsxTable(Path("missing/table.xlsx"), data, {}, reason));
    EXPECT_FALSE(reason.empty());
}

}  // namespace
}  // namespace zel
