#include "import/refused_rows_file.h"

#include <gtest/gtest.h>

#include <QFileInfo>

#include "component/import/import_test_base.h"

namespace korvel::test {
namespace {

class RefusedRowsFileTest : public ImportTestBase {
protected:
    void SetUp() override {
        ImportTestBase::SetUp();
        Bind();
    }
};

TEST_F(RefusedRowsFileTest, TheRefusedRowsComeBackWithTheirReasonAndImportAgainWhenCorrected) {
    const std::vector<std::string> header{"cWhCode", "cInvCode", "iTopSum", "cWhPersonCode"};
    const std::string in = WriteCsv({"cWhCode,cInvCode,iTopSum,cWhPersonCode", "01,A001,5,P1",
                                     "01,A002,abc,\"'=P1\"", "01,A003,-2.50,P9"});
    const auto result = Preview(in);
    ASSERT_EQ(result.Count(ImportVerdict::kRefused), 2u);
    const std::string out = folder.filePath("refused.csv").toStdString();
    std::string reason;
    ASSERT_TRUE(WriteRefusedRowsFile(
        out, RefusedRowsFormat::kCsv, header,
        ImportColumnMapping::Match(header, context.catalogue, *context.login.pub), result.rows,
        *context.login.pub, reason))
        << reason;

    zel::CsvTableReader reader(QString::fromStdString(out));
    ASSERT_TRUE(reader.Open());
    std::vector<std::string> expectedHeader = header;
    expectedHeader.push_back(Text("Zel.AA.WHINVCONTRAPOSE.IMPORT.reason_column"));
    EXPECT_EQ(reader.Header(), expectedHeader);
    std::vector<std::vector<std::string>> rows;
    for (std::vector<std::string> cells; reader.NextRow(cells);) {
        rows.push_back(cells);
    }
    EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{
                        {"01", "A002", "abc", "=P1", result.rows[1].reason},
                        {"01", "A003", "-2.50", "P9", result.rows[2].reason},
                    }));

    const std::string workbook = folder.filePath("refused.xlsx").toStdString();
    ASSERT_TRUE(WriteRefusedRowsFile(
        workbook, RefusedRowsFormat::kXlsx, header,
        ImportColumnMapping::Match(header, context.catalogue, *context.login.pub), result.rows,
        *context.login.pub, reason))
        << reason;
    EXPECT_TRUE(QFileInfo(QString::fromStdString(workbook)).size() > 0);

    const auto again = PreviewLines({"cWhCode,cInvCode,iTopSum,cWhPersonCode," + expectedHeader[4],
                                     "01,A002,7,P1,whatever", "01,A003,-2.50,P2,"});
    EXPECT_EQ(again.Count(ImportVerdict::kNew), 2u) << "the reason column is ignored";
}

}  // namespace
}  // namespace korvel::test
