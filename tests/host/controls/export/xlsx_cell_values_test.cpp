#include "host/controls/export/xlsx_cell_values.h"

#include <gtest/gtest.h>
#include "support/case_name.h"

namespace zel {
namespace {

struct ValueCase {
    const char* text;
    const char* stored;  // nullptr when the text is no such value
};

class XlsxNumberTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(XlsxNumberTest, StoresTheNumberTheTextShows) {
    std::string out = "<v>";
    const bool read = AppendXlsxNumber(out, GetParam().text);
    EXPECT_EQ(read, GetParam().stored != nullptr);
    EXPECT_EQ(out, std::string("<v>") + (read ? GetParam().stored : ""));
}

INSTANTIATE_TEST_SUITE_P(Texts, XlsxNumberTest,
                         ::testing::Values(ValueCase{"12.50", "12.50"}, ValueCase{"-0.25", "-0.25"},
                                           ValueCase{"1,234,567.5", "1234567.5"},
                                           ValueCase{"0004", "0004"}, ValueCase{"1e5", "1e+05"},
                                           ValueCase{".5", "0.5"}, ValueCase{"7.", "7"},
                                           ValueCase{"", nullptr}, ValueCase{",", nullptr},
                                           ValueCase{"-", nullptr}, ValueCase{"1.2.3", nullptr},
                                           ValueCase{"12 ", nullptr}, ValueCase{"+1", nullptr},
                                           ValueCase{"inf", nullptr}, ValueCase{"nan", nullptr},
                                           ValueCase{"1e999", nullptr}, ValueCase{"A-3", nullptr}),
                         [](const auto& info) {
                             return ::zel::test::CaseName(
                                 std::to_string(info.index) + " " + info.param.text, info.index);
                         });

class XlsxDateTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(XlsxDateTest, StoresTheWorkbookDayNumber) {
    std::string out;
    EXPECT_EQ(AppendXlsxDate(out, GetParam().text), GetParam().stored != nullptr);
    EXPECT_EQ(out, GetParam().stored != nullptr ? GetParam().stored : "");
}

// The workbook counts a 29 February 1900 that never was: day 60.
INSTANTIATE_TEST_SUITE_P(
    Texts, XlsxDateTest,
    ::testing::Values(ValueCase{"1900-01-01", "1"}, ValueCase{"1900-02-28", "59"},
                      ValueCase{"1900-03-01", "61"}, ValueCase{"2024-02-29", "45351"},
                      ValueCase{"2024-03-01", "45352"}, ValueCase{"9999-12-31", "2958465"},
                      ValueCase{"1899-12-31", nullptr}, ValueCase{"2023-02-29", nullptr},
                      ValueCase{"2024-13-01", nullptr}, ValueCase{"2024-1-01", "45292"},
                      ValueCase{"2024/03/01", "45352"}, ValueCase{"", nullptr}),
    [](const auto& info) {
        return ::zel::test::CaseName(std::to_string(info.index) + " " + info.param.text,
                                     info.index);
    });

}  // namespace
}  // namespace zel
