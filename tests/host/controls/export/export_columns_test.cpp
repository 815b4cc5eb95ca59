#include "host/controls/export/export_columns.h"

#include <gtest/gtest.h>
#include "support/case_name.h"

namespace zel {
namespace {

TEST(ExportColumnsTest, WritesOneEntryPerColumnAndReadsThemBack) {
    const std::vector<ExportColumn> columns{{FieldKind::kNumber, 0},
                                            {FieldKind::kText, 60},
                                            {FieldKind::kNumber, 2},
                                            {FieldKind::kDate, kExportDateSize},
                                            {FieldKind::kText, 0}};
    const std::string types = ExportTypesText(columns);
    const std::string sizes = ExportSizesText(columns);
    EXPECT_EQ(types, "N,T,N,D,T");
    EXPECT_EQ(sizes, "0,60,2,10,0");
    EXPECT_EQ(ReadExportColumns(types, sizes), columns);
}

TEST(ExportColumnsTest, NoColumnsGiveEmptyTexts) {
    EXPECT_EQ(ExportTypesText({}), "");
    EXPECT_EQ(ExportSizesText({}), "");
    EXPECT_TRUE(ReadExportColumns("", "").empty());
    EXPECT_TRUE(ReadExportColumns("  ", "3").empty());
}

struct DamagedCase {
    const char* types;
    const char* sizes;
    std::vector<ExportColumn> expected;
};

class ExportColumnsDamagedTest : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(ExportColumnsDamagedTest, ReadsWhatItCanAndTakesTextForTheRest) {
    EXPECT_EQ(ReadExportColumns(GetParam().types, GetParam().sizes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ExportColumnsDamagedTest,
    ::testing::Values(
        DamagedCase{"N,D", "2", {{FieldKind::kNumber, 2}, {FieldKind::kDate, 0}}},
        DamagedCase{" N , T ", " 3 , 20 ", {{FieldKind::kNumber, 3}, {FieldKind::kText, 20}}},
        DamagedCase{"X,NN,",
                    "1,2,3",
                    {{FieldKind::kText, 1}, {FieldKind::kText, 2}, {FieldKind::kText, 3}}},
        DamagedCase{"N,N,N,T",
                    "-1,x,2.5,99999",
                    {{FieldKind::kNumber, 0},
                     {FieldKind::kNumber, 0},
                     {FieldKind::kNumber, 0},
                     {FieldKind::kText, 0}}},
        DamagedCase{"n,d,t",
                    "1,10,5",
                    {{FieldKind::kText, 1}, {FieldKind::kText, 10}, {FieldKind::kText, 5}}}),
    [](const auto& info) {
        return ::zel::test::CaseName(std::to_string(info.index) + " " +
                                         std::string(info.param.types) + " " + info.param.sizes,
                                     info.index);
    });

}  // namespace
}  // namespace zel
