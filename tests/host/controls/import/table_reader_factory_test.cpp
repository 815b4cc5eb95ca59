#include "host/controls/import/table_reader_factory.h"

#include <gtest/gtest.h>

#include <ostream>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/case_name.h"
#include "xlsx_fixture.h"

namespace zel {
namespace {

const std::string kFactorySheet =
    "<row><c t=\"inlineStr\"><is><t>编码</t></is></c></row>"
    "<row><c t=\"inlineStr\"><is><t>A;1</t></is></c></row>";
const std::string kFactoryCsv = "编码;名称\r\nA;1\r\n";

struct ReaderCase {
    const char* name;
    const char* file;
    bool workbook;
    TableFormat format;
    TableFormat detected;
    // What the preview's summary names.
    const char* summary;
};

void PrintTo(const ReaderCase& c, std::ostream* out) {
    *out << c.name;
}

class TableReaderFactoryTest : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(TableReaderFactoryTest, ChoosesTheReaderOfTheFilesFormat) {
    const ReaderCase& c = GetParam();
    const QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(c.file);
    if (c.workbook) {
        ASSERT_TRUE(WriteZip(path.toStdString(), WorkbookParts({{"库存", kFactorySheet}})));
    } else {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kFactoryCsv.data(), static_cast<qint64>(kFactoryCsv.size()));
    }
    EXPECT_EQ(DetectTableFormat(path), c.detected);
    const auto reader = OpenTableReader(path, c.format);
    ASSERT_EQ(reader->Error().kind, TableReadError::Kind::kNone) << reader->Error().message;
    EXPECT_EQ(reader->Header()[0], "编码");
    EXPECT_NE(reader->Summary().find(c.summary), std::string::npos) << reader->Summary();
    EXPECT_EQ(reader->SheetNames().empty(), !c.workbook);
}

INSTANTIATE_TEST_SUITE_P(
    Files, TableReaderFactoryTest,
    ::testing::Values(
        ReaderCase{"csv", "a.csv", false, TableFormat::kAuto, TableFormat::kCsv, "UTF-8"},
        ReaderCase{"txt", "a.txt", false, TableFormat::kAuto, TableFormat::kCsv, "分号"},
        ReaderCase{"xlsx", "a.xlsx", true, TableFormat::kAuto, TableFormat::kXlsx, "库存"},
        ReaderCase{"upperCase", "A.XLSX", true, TableFormat::kAuto, TableFormat::kXlsx, "库存"},
        ReaderCase{"workbookNamedCsv", "a.csv", true, TableFormat::kAuto, TableFormat::kXlsx,
                   "库存"},
        ReaderCase{"csvForced", "a.xlsx", false, TableFormat::kCsv, TableFormat::kXlsx, "分号"},
        ReaderCase{"xlsxForced", "a.dat", true, TableFormat::kXlsx, TableFormat::kXlsx, "库存"}),
    [](const auto& info) { return test::CaseName(info.param.name, info.index); });

TEST(OpenTableReaderTest, SendsAnOlderBinaryWorkbookToTheWorkbookReader) {
    const QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("old.xls");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") + QByteArray(504, '\0'));
    file.close();
    EXPECT_EQ(OpenTableReader(path, TableFormat::kAuto)->Error().kind,
              TableReadError::Kind::kNotWorkbook);
}

TEST(OpenTableReaderTest, OpensTheChosenSheetOrSaysItIsMissing) {
    const QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("a.xlsx");
    ASSERT_TRUE(
        WriteZip(path.toStdString(),
                 WorkbookParts({{"一", kFactorySheet}, {"二", "<row><c><v>7</v></c></row>"}})));
    EXPECT_EQ(OpenTableReader(path, TableFormat::kAuto, "二")->Header(),
              std::vector<std::string>{"7"});
    EXPECT_EQ(OpenTableReader(path, TableFormat::kAuto, "三")->Error().kind,
              TableReadError::Kind::kNoSuchSheet);
}

}  // namespace
}  // namespace zel
