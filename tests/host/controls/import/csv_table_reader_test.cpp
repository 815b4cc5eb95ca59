#include "host/controls/import/csv_table_reader.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <algorithm>

#include "host/controls/export/csv_table_writer.h"

namespace zel {
namespace {

using Rows = std::vector<std::vector<std::string>>;

class CsvTableReaderTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return QDir(dir.path()).filePath(name); }

    QString WithBytes(const std::string& bytes) const {
        const QString path = Path("table.csv");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }

    // The header and every row, or what the reader gave up with.
    static Rows ReadAll(CsvTableReader& reader) {
        Rows rows;
        if (!reader.Open()) {
            return rows;
        }
        rows.push_back(reader.Header());
        for (std::vector<std::string> cells; reader.NextRow(cells);) {
            rows.push_back(cells);
        }
        return rows;
    }

    QTemporaryDir dir;
};

std::string Gb18030(const char* utf8) {
    QStringEncoder encoder("GB18030");
    return QByteArray(encoder(QString::fromUtf8(utf8))).toStdString();
}

TEST_F(CsvTableReaderTest, ReadsBackExactlyWhatTheWriterWrote) {
    PrintData data;
    data.headers = {"仓库编码", "存货, 编码", "说明 \"甲\"", "=上限", "下限"};
    const std::vector<std::string> texts = {"螺钉, 六角",
                                            "M5 \"细牙\"",
                                            "第一行\n第二行",
                                            "a\r\nb",
                                            "\"\"",
                                            "=1+1",
                                            "=HYPERLINK(\"http://x\",\"y\")",
                                            "+5",
                                            "-5",
                                            "@SUM(A1)",
                                            "'x",
                                            "''y",
                                            "\tx",
                                            "\rx",
                                            "a=1",
                                            "中文；分号",
                                            "",
                                            " 前后空格 ",
                                            "x;y\tz"};
    const std::vector<std::string> numbers = {"0.123456789012345", "-5", "1,234.50", "1e-7", "100"};
    Rows expected = {data.headers};
    for (std::size_t row = 0; row < texts.size(); ++row) {
        const std::string& number = numbers[row % numbers.size()];
        expected.push_back(
            {"W01", texts[row], texts[texts.size() - 1 - row], number, "-" + number});
        for (const std::string& cell : expected.back()) {
            data.cells.push_back(cell);
        }
    }
    const std::vector<ExportColumn> columns = {{FieldKind::kText, 10},
                                               {FieldKind::kText, 60},
                                               {FieldKind::kText, 60},
                                               {FieldKind::kNumber, 15},
                                               {FieldKind::kNumber, 15}};
    std::string reason;
    ASSERT_TRUE(WriteCsvTable(Path("table.csv").toStdString(), data, columns, reason)) << reason;

    CsvTableReader reader(Path("table.csv"));
    const Rows rows = ReadAll(reader);
    ASSERT_EQ(reader.Error().kind, TableReadError::Kind::kNone) << reader.Error().message;
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(reader.Delimiter(), ',');
    EXPECT_FALSE(reader.IsGb18030());
}

// The same table in every encoding, delimiter and line end a spreadsheet program may save.
TEST_F(CsvTableReaderTest, ReadsEveryEncodingDelimiterAndLineEnd) {
    struct Case {
        const char* name;
        std::string bytes;
        char delimiter;
        bool gb18030;
    };
    const std::string asciiRows(70000, '\n');  // past the first chunk before any Chinese text
    const std::vector<Case> cases = {
        {"utf8 with mark", "\xEF\xBB\xBF仓库,存货\r\nW01,螺钉\r\n", ',', false},
        {"utf8 without mark", "仓库,存货\nW01,螺钉\n", ',', false},
        {"gb18030", Gb18030("仓库,存货\r\nW01,螺钉\r\n"), ',', true},
        {"gb18030 after a chunk of ascii", Gb18030("仓库,存货") + asciiRows + Gb18030("W01,螺钉"),
         ',', true},
        {"semicolon", "仓库;存货\nW01;螺钉", ';', false},
        {"tab", "仓库\t存货\rW01\t螺钉\r", '\t', false},
        {"blank lines before the header", "\r\n\n仓库;存货\nW01;螺钉\n", ';', false},
        {"quoted delimiters do not count", "\"仓,库\";存货\nW01;螺钉\n", ';', false},
    };
    for (const Case& each : cases) {
        CsvTableReader reader(WithBytes(each.bytes));
        const Rows rows = ReadAll(reader);
        EXPECT_EQ(reader.Error().message, "") << each.name;
        EXPECT_EQ(reader.Delimiter(), each.delimiter) << each.name;
        EXPECT_EQ(reader.IsGb18030(), each.gb18030) << each.name;
        const std::string header =
            each.name == std::string("quoted delimiters do not count") ? "仓,库" : "仓库";
        EXPECT_EQ(rows, (Rows{{header, "存货"}, {"W01", "螺钉"}})) << each.name;
    }
}

TEST_F(CsvTableReaderTest, BlankLinesAreSkippedButCounted) {
    CsvTableReader reader(WithBytes("A,B\r\n\r\n1,2\r\n\r\n\"\",3\r\n"));
    ASSERT_TRUE(reader.Open());
    std::vector<std::string> cells;
    ASSERT_TRUE(reader.NextRow(cells));
    EXPECT_EQ(cells, (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(reader.Row(), 3u);
    ASSERT_TRUE(reader.NextRow(cells));
    EXPECT_EQ(cells, (std::vector<std::string>{"", "3"}));
    EXPECT_EQ(reader.Row(), 5u);
    EXPECT_FALSE(reader.NextRow(cells));
    EXPECT_EQ(reader.Error().kind, TableReadError::Kind::kNone);
}

TEST_F(CsvTableReaderTest, RefusesDamagedFilesNamingTheRowAndColumn) {
    using Kind = TableReadError::Kind;
    struct Case {
        const char* name;
        std::string bytes;
        Kind kind;
        std::size_t row;
        std::size_t column;
    };
    const std::string overLimit(CsvTableReader::kMaxCellBytes + 1, 'x');
    const std::string atLimit(CsvTableReader::kMaxCellBytes, 'x');
    std::string tooWide = "A\n";
    for (std::size_t column = 0; column < CsvTableReader::kMaxColumns; ++column) {
        tooWide += "1,";
    }
    tooWide += "1\n";
    const std::vector<Case> cases = {
        {"empty", "", Kind::kEmptyFile, 0, 0},
        {"only a byte-order mark", "\xEF\xBB\xBF", Kind::kEmptyFile, 0, 0},
        {"only blank lines", "\r\n\n\r\n", Kind::kEmptyFile, 0, 0},
        {"unclosed quote", "A,B\n1,2\n3,\"four\n5,6\n", Kind::kUnclosedQuote, 3, 2},
        {"unclosed quoted header", "\"A", Kind::kUnclosedQuote, 1, 1},
        {"cell over the limit", "A,B\n1,\"" + overLimit + "\"\n", Kind::kCellTooLarge, 2, 2},
        {"unquoted cell over the limit", "A,B,C\n1,2," + overLimit, Kind::kCellTooLarge, 2, 3},
        {"too many columns", tooWide, Kind::kTooManyColumns, 2, CsvTableReader::kMaxColumns + 1},
        {"utf8 with a broken byte",
         "\xEF\xBB\xBF"
         "A,B,C\n1,2,\xE4\xB8\n",
         Kind::kInvalidEncoding, 2, 3},
        {"gb18030 with a broken byte", Gb18030("仓库,存货\n螺钉,") + "\x81\x20\n",
         Kind::kInvalidEncoding, 2, 2},
        {"a cell at the limit is read", "A\n" + atLimit + "\n", Kind::kNone, 0, 0},
    };
    for (const Case& each : cases) {
        CsvTableReader reader(WithBytes(each.bytes));
        ReadAll(reader);
        const TableReadError& error = reader.Error();
        EXPECT_EQ(error.kind, each.kind) << each.name << ": " << error.message;
        EXPECT_EQ(error.row, each.row) << each.name;
        EXPECT_EQ(error.column, each.column) << each.name;
        if (each.row > 0) {
            EXPECT_NE(error.message.find("第 " + std::to_string(each.row) + " 行"),
                      std::string::npos)
                << error.message;
        }
        EXPECT_EQ(error.kind == Kind::kNone, error.message.empty()) << each.name;
    }
}

TEST_F(CsvTableReaderTest, ReadsADeviceAsItReadsAFile) {
    const std::string bytes =
        "\xEF\xBB\xBF"
        "A;B\r\n\"x;\"\"y\";2\n";
    QBuffer buffer;
    buffer.setData(QByteArray::fromStdString(bytes));
    CsvTableReader fromDevice(buffer, "memory.csv");
    CsvTableReader fromFile(WithBytes(bytes));
    const Rows rows = ReadAll(fromDevice);
    EXPECT_EQ(rows, (Rows{{"A", "B"}, {"x;\"y", "2"}}));
    EXPECT_EQ(rows, ReadAll(fromFile));

    QBuffer empty;
    CsvTableReader fromEmpty(empty, "memory.csv");
    EXPECT_FALSE(fromEmpty.Open());
    EXPECT_EQ(fromEmpty.Error().kind, TableReadError::Kind::kEmptyFile);
    EXPECT_NE(fromEmpty.Error().message.find("memory.csv"), std::string::npos);
}

TEST_F(CsvTableReaderTest, AMissingFileGivesTheSystemsReason) {
    CsvTableReader reader(Path("missing.csv"));
    EXPECT_FALSE(reader.Open());
    EXPECT_EQ(reader.Error().kind, TableReadError::Kind::kReadFailed);
    EXPECT_NE(reader.Error().message.find("missing.csv"), std::string::npos);
}

TEST_F(CsvTableReaderTest, AMillionRowsAreReadInBoundedMemory) {
    constexpr std::size_t kRows = 1000000;
    const QString path = Path("large.csv");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        std::string chunk = "仓库,存货,上限\r\n";
        for (std::size_t row = 1; row <= kRows; ++row) {
            chunk += "W01,I" + std::to_string(row) + ",1.25\r\n";
            if (chunk.size() > (1 << 20) || row == kRows) {
                file.write(chunk.data(), static_cast<qint64>(chunk.size()));
                chunk.clear();
            }
        }
    }
    CsvTableReader reader(path);
    ASSERT_TRUE(reader.Open());
    std::size_t rows = 0;
    std::size_t largestBuffer = 0;
    std::vector<std::string> cells;
    std::vector<std::string> last;
    while (reader.NextRow(cells)) {
        ++rows;
        last = cells;
        largestBuffer = std::max(largestBuffer, reader.BufferedBytes());
    }
    EXPECT_EQ(reader.Error().kind, TableReadError::Kind::kNone);
    EXPECT_EQ(rows, kRows);
    EXPECT_EQ(last, (std::vector<std::string>{"W01", "I1000000", "1.25"}));
    EXPECT_LE(largestBuffer, std::size_t{128} << 10);
}

}  // namespace
}  // namespace zel
