#include "host/controls/import/xlsx_table_reader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>

#include "host/controls/export/xlsx_table_writer.h"
#include "support/case_name.h"
#include "xlsx_fixture.h"

namespace zel {
namespace {

using Rows = std::vector<std::vector<std::string>>;
using Kind = TableReadError::Kind;

class XlsxTableReaderTest : public ::testing::Test {
protected:
    std::string Path(const char* name) const {
        return QDir(dir.path()).filePath(name).toStdString();
    }

    std::string Workbook(const std::vector<std::pair<std::string, std::string>>& sheets,
                         const std::string& sharedStrings = {}, const std::string& styles = {}) {
        const std::string path = Path("book.xlsx");
        EXPECT_TRUE(WriteZip(path, WorkbookParts(sheets, sharedStrings, styles)));
        return path;
    }

    // The header and every row, each row led by its row number, or what the reader gave up
    // with.
    static Rows ReadAll(XlsxTableReader& reader) {
        Rows rows;
        if (!reader.Open()) {
            return rows;
        }
        rows.push_back(reader.Header());
        for (std::vector<std::string> cells; reader.NextRow(cells);) {
            cells.insert(cells.begin(), std::to_string(reader.Row()));
            rows.push_back(cells);
        }
        return rows;
    }

    QTemporaryDir dir;
};

TEST_F(XlsxTableReaderTest, ReadsBackExactlyWhatTheExportWrote) {
    PrintData data;
    data.headers = {"文字 \"甲\"", "=上限", "数量", "日期"};
    const std::vector<std::string> texts = {
        "螺钉, 六角", "M5 \"细牙\"", "第一行\n第二行", "a\r\nb", "=SUM(A1:A2)",  "+1",
        "-x",         "@cmd",        "'引号",          "\t制表", "  两端空格  ", "<b>&amp;</b>"};
    const std::vector<std::string> numbers = {"12.345678",   "0.000001", "-5",   "0",
                                              "1234567.891", "3",        "abc",  "",
                                              "100.10",      "7",        "-0.5", "99"};
    const std::vector<std::string> dates = {"2024-02-29", "1900-01-01", "1900-03-01", "9999-12-31",
                                            "",           "2026-12-10", "没有日期",   "2000-01-01",
                                            "1999-12-31", "2026-01-01", "2026-06-30", "1901-01-01"};
    for (std::size_t row = 0; row < texts.size(); ++row) {
        for (const std::string& cell : {texts[row], texts[row], numbers[row], dates[row]}) {
            data.cells.push_back(cell);
        }
    }
    const std::vector<ExportColumn> columns = {
        {}, {}, {FieldKind::kNumber, 6}, {FieldKind::kDate, 10}};
    const std::string path = Path("export.xlsx");
    std::string reason;
    ASSERT_TRUE(WriteXlsxTable(path, data, columns, reason)) << reason;

    XlsxTableReader reader(QString::fromStdString(path), {});
    const Rows rows = ReadAll(reader);
    ASSERT_EQ(reader.Error().kind, Kind::kNone) << reader.Error().message;
    ASSERT_EQ(rows.size(), texts.size() + 1);
    EXPECT_EQ(rows[0], data.headers);
    for (std::size_t row = 0; row < texts.size(); ++row) {
        const std::vector<std::string> expected = {std::to_string(row + 2), texts[row], texts[row],
                                                   numbers[row], dates[row]};
        EXPECT_EQ(rows[row + 1], expected) << "row " << row + 2;
    }
}

TEST_F(XlsxTableReaderTest, ReadsWhatOtherProgramsWrite) {
    const std::string strings =
        "<si><t>编码</t></si>"
        "<si><t xml:space=\"preserve\"> 名称 </t></si>"
        "<si><r><rPr><b/></rPr><t>粗</t></r><r><t xml:space=\"preserve\"> 细</t></r>"
        "<rPh sb=\"0\" eb=\"1\"><t>cu</t></rPh></si>"
        "<si><t>a_x000D_b</t></si>";
    const std::string styles =
        "<numFmts><numFmt numFmtId=\"164\" formatCode=\"yyyy/m/d\"/>"
        "<numFmt numFmtId=\"165\" formatCode=\"0.000\"/></numFmts>"
        "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/><xf numFmtId=\"164\"/>"
        "<xf numFmtId=\"165\"/><xf numFmtId=\"20\"/></cellXfs>";
    const std::string first =
        "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
        "<c r=\"C1\" t=\"inlineStr\"><is><t>说明</t></is></c></row>"
        "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>2</v></c><c r=\"D2\"><v>12.345678</v></c></row>"
        "<row r=\"3\" spans=\"1:3\"/>"
        "<row r=\"5\"><c r=\"B5\" s=\"1\"><v>60</v></c><c r=\"C5\" s=\"2\"><v>61</v></c>"
        "<c r=\"D5\" s=\"3\"><v>0.000001</v></c><c r=\"E5\" s=\"1\"><v>45000.75</v></c>"
        "<c r=\"F5\" s=\"4\"><v>59</v></c></row>"
        "<row r=\"6\"><c r=\"A6\" t=\"b\"><v>1</v></c><c r=\"B6\" t=\"b\"><v>0</v></c>"
        "<c r=\"C6\" t=\"str\"><f>A1&amp;B1</f><v>=SUM</v></c><c r=\"D6\" "
        "t=\"e\"><v>#DIV/0!</v></c>"
        "<c r=\"E6\" t=\"inlineStr\"><is><t>2024-01-31</t></is></c><c r=\"F6\" s=\"1\"/></row>"
        "<row><c t=\"s\"><v>3</v></c><c/><c t=\"d\"><v>2024-03-01T00:00:00</v></c></row>"
        "<x:row xmlns:x=\"urn:x\" r=\"9\"><!-- <row r=\"1\"> --><x:c r=\"A9\">"
        "<x:v>1e-7</x:v></x:c></x:row>";
    const std::string second =
        "<row><c t=\"inlineStr\"><is><t>第二张</t></is></c></row>"
        "<row><c><v>2</v></c></row>";
    const std::string path = Workbook({{"清单", first}, {"另一张", second}}, strings, styles);

    XlsxTableReader reader(QString::fromStdString(path), {});
    const Rows expected = {
        {"编码", " 名称 ", "说明"},
        {"2", "粗 细", "", "", "12.345678"},
        {"5", "", "1900-02-29", "1900-03-01", "0.000001", "2023-03-15", "59"},
        {"6", "TRUE", "FALSE", "=SUM", "#DIV/0!", "2024-01-31", ""},
        {"7", "a\rb", "", "2024-03-01"},
        {"9", "1e-7"},
    };
    EXPECT_EQ(ReadAll(reader), expected);
    EXPECT_EQ(reader.Error().kind, Kind::kNone) << reader.Error().message;
    EXPECT_EQ(reader.SheetNames(), (std::vector<std::string>{"清单", "另一张"}));
    EXPECT_NE(reader.Summary().find("清单"), std::string::npos);

    XlsxTableReader chosen(QString::fromStdString(path), "另一张");
    EXPECT_EQ(ReadAll(chosen), (Rows{{"第二张"}, {"2", "2"}}));
    EXPECT_NE(chosen.Summary().find("另一张"), std::string::npos);
}

std::string FileBytes(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size());
}

bool WriteExport(const std::string& path, std::size_t rows) {
    PrintData data;
    data.headers = {"仓库", "存货", "上限"};
    for (std::size_t row = 0; row < rows; ++row) {
        for (const std::string& cell :
             {"W" + std::to_string(row), std::string("物料"), std::string("12.5")}) {
            data.cells.push_back(cell);
        }
    }
    std::string reason;
    return WriteXlsxTable(path, data, {{}, {}, {FieldKind::kNumber, 2}}, reason);
}

bool WriteSheet(const std::string& path, const std::string& rows,
                const std::string& sharedStrings = {}) {
    return WriteZip(path, WorkbookParts({{"Sheet1", rows}}, sharedStrings));
}

const std::string kHeaderRow = "<row r=\"1\"><c t=\"inlineStr\"><is><t>编码</t></is></c></row>";
const std::string kTooLargeText(XlsxTableReader::kMaxCellBytes + 1, 'x');

struct ErrorCase {
    ErrorCase(const char* name, std::function<bool(const std::string&)> write, Kind kind,
              std::size_t row = 0, std::size_t column = 0, const char* sheet = "")
        : name(name), write(std::move(write)), kind(kind), row(row), column(column), sheet(sheet) {}

    const char* name;
    std::function<bool(const std::string&)> write;
    Kind kind;
    std::size_t row;
    std::size_t column;
    const char* sheet;
};

void PrintTo(const ErrorCase& error, std::ostream* out) {
    *out << error.name;
}

class XlsxReadErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(XlsxReadErrorTest, RefusesTheFileWithAWordedReason) {
    const ErrorCase& error = GetParam();
    const QTemporaryDir dir;
    const std::string path = QDir(dir.path()).filePath("book.xlsx").toStdString();
    ASSERT_TRUE(error.write(path));
    XlsxTableReader reader(QString::fromStdString(path), error.sheet);
    if (reader.Open()) {
        for (std::vector<std::string> cells; reader.NextRow(cells);) {
        }
    }
    EXPECT_EQ(reader.Error().kind, error.kind) << reader.Error().message;
    EXPECT_EQ(reader.Error().row, error.row);
    EXPECT_EQ(reader.Error().column, error.column);
    EXPECT_FALSE(reader.Error().message.empty());
    EXPECT_EQ(reader.Error().message.find("Zel."), std::string::npos) << reader.Error().message;
}

INSTANTIATE_TEST_SUITE_P(
    Files, XlsxReadErrorTest,
    ::testing::Values(
        ErrorCase{"empty", [](const std::string& path) { return WriteBytes(path, ""); },
                  Kind::kEmptyFile},
        ErrorCase{"csvNamedXlsx",
                  [](const std::string& path) { return WriteBytes(path, "编码,名称\r\n1,2\r\n"); },
                  Kind::kNotWorkbook},
        ErrorCase{"zipWithoutWorkbook",
                  [](const std::string& path) {
                      return WriteZip(path, {{"readme.txt", "hi"}});
                  },
                  Kind::kNotWorkbook},
        ErrorCase{"noSuchSheet",
                  [](const std::string& path) { return WriteSheet(path, kHeaderRow); },
                  Kind::kNoSuchSheet, 0, 0, "没有这张"},
        ErrorCase{"noRows", [](const std::string& path) { return WriteSheet(path, ""); },
                  Kind::kEmptyFile},
        ErrorCase{"truncated",
                  [](const std::string& path) {
                      const std::string whole = path + ".whole";
                      const std::string bytes = WriteExport(whole, 2000) ? FileBytes(whole) : "";
                      return !bytes.empty() && WriteBytes(path, bytes.substr(0, bytes.size() / 2));
                  },
                  Kind::kDamagedArchive},
        ErrorCase{"corruptedEntry",
                  [](const std::string& path) {
                      const std::string row =
                          "<row><c t=\"inlineStr\"><is><t>甲乙</t></is></c></row>";
                      if (!WriteStoredZip(path, WorkbookParts({{"Sheet1", kHeaderRow + row}}))) {
                          return false;
                      }
                      std::string bytes = FileBytes(path);
                      bytes.replace(bytes.find("甲乙"), std::string("甲乙").size(), "丙丁");
                      return WriteBytes(path, bytes);
                  },
                  Kind::kDamagedArchive, 2},
        ErrorCase{"declaredBomb",
                  [](const std::string& path) {
                      return WriteZeroSheetWorkbook(path, std::uint64_t{2} << 30,
                                                    std::uint64_t{2} << 30);
                  },
                  Kind::kEntryTooLarge},
        ErrorCase{"understatedBomb",
                  [](const std::string& path) {
                      return WriteZeroSheetWorkbook(path, std::uint64_t{2} << 30, 4096);
                  },
                  Kind::kDamagedArchive},
        ErrorCase{"inlineCellTooLarge",
                  [](const std::string& path) {
                      return WriteSheet(path, kHeaderRow + "<row><c/><c t=\"inlineStr\"><is><t>" +
                                                  kTooLargeText + "</t></is></c></row>");
                  },
                  Kind::kCellTooLarge, 2, 2},
        ErrorCase{"sharedCellTooLarge",
                  [](const std::string& path) {
                      return WriteSheet(
                          path, kHeaderRow + "<row r=\"3\"><c r=\"C3\" t=\"s\"><v>0</v></c></row>",
                          "<si><t>" + kTooLargeText + "</t></si>");
                  },
                  Kind::kCellTooLarge, 3, 3},
        ErrorCase{"malformedRow",
                  [](const std::string& path) {
                      return WriteSheet(path, kHeaderRow +
                                                  "<row><c><v>1</v></c></row>"
                                                  "<row><c><v>1</x></c></row>");
                  },
                  Kind::kMalformedSheet, 3},
        ErrorCase{"rowCutShort",
                  [](const std::string& path) {
                      return WriteSheet(path, kHeaderRow + "<row><c><v>1</v></c>");
                  },
                  Kind::kMalformedSheet, 2},
        ErrorCase{"rowsBackwards",
                  [](const std::string& path) {
                      return WriteSheet(path, kHeaderRow +
                                                  "<row r=\"5\"><c><v>1</v></c></row>"
                                                  "<row r=\"4\"><c><v>1</v></c></row>");
                  },
                  Kind::kMalformedSheet, 6},
        ErrorCase{"cellsBackwards",
                  [](const std::string& path) {
                      return WriteSheet(path, kHeaderRow +
                                                  "<row><c r=\"C2\"><v>1</v></c>"
                                                  "<c r=\"B2\"><v>1</v></c></row>");
                  },
                  Kind::kMalformedSheet, 2, 2},
        ErrorCase{"unknownSharedString",
                  [](const std::string& path) {
                      return WriteSheet(path, kHeaderRow + "<row><c t=\"s\"><v>1</v></c></row>",
                                        "<si><t>唯一</t></si>");
                  },
                  Kind::kMalformedSheet, 2, 1},
        ErrorCase{"tooManyColumns",
                  [](const std::string& path) {
                      return WriteSheet(path, kHeaderRow + "<row><c r=\"XFE2\"><v>1</v></c></row>");
                  },
                  Kind::kTooManyColumns, 2, 16385},
        ErrorCase{"tooManyRows",
                  [](const std::string& path) {
                      return WriteSheet(path,
                                        kHeaderRow + "<row r=\"1048577\"><c><v>1</v></c></row>");
                  },
                  Kind::kTooManyRows, 1048577}),
    [](const auto& info) { return test::CaseName(info.param.name, info.index); });

TEST_F(XlsxTableReaderTest, ReadsALongSheetInBoundedMemory) {
    constexpr std::size_t kRows = 100'000;
    constexpr std::size_t kColumns = 12;
    PrintData data;
    for (std::size_t col = 0; col < kColumns; ++col) {
        data.headers.push_back("列" + std::to_string(col));
    }
    data.cells.reserve(kRows * kColumns);
    for (std::size_t row = 0; row < kRows; ++row) {
        for (std::size_t col = 0; col < kColumns; ++col) {
            data.cells.push_back(col % 2 == 0 ? "存货" + std::to_string(row) : "123.456789");
        }
    }
    std::vector<ExportColumn> columns(kColumns);
    for (std::size_t col = 1; col < kColumns; col += 2) {
        columns[col] = {FieldKind::kNumber, 6};
    }
    const std::string path = Path("long.xlsx");
    std::string reason;
    ASSERT_TRUE(WriteXlsxTable(path, data, columns, reason)) << reason;
    data = {};

    XlsxTableReader reader(QString::fromStdString(path), {});
    ASSERT_TRUE(reader.Open()) << reader.Error().message;
    std::size_t rows = 0;
    std::size_t mostBuffered = 0;
    std::vector<std::string> cells;
    for (; reader.NextRow(cells); ++rows) {
        mostBuffered = std::max(mostBuffered, reader.BufferedBytes());
        ASSERT_EQ(cells.size(), kColumns);
    }
    EXPECT_EQ(reader.Error().kind, Kind::kNone) << reader.Error().message;
    EXPECT_EQ(rows, kRows);
    EXPECT_EQ(reader.Row(), kRows + 1);
    EXPECT_EQ(cells[kColumns - 1], "123.456789");
    // A chunk and the row it cuts, however long the sheet.
    EXPECT_LT(mostBuffered, std::size_t{256} << 10);
}

}  // namespace
}  // namespace zel
