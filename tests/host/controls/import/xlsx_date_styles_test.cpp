#include "host/controls/import/xlsx_date_styles.h"

#include <gtest/gtest.h>

#include <ostream>

#include "support/case_name.h"

namespace zel {
namespace {

struct FormatCase {
    const char* name;
    const char* code;
    bool date;
};

void PrintTo(const FormatCase& c, std::ostream* out) {
    *out << c.name;
}

class DateFormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(DateFormatTest, TellsDatesFromNumbersAndTimes) {
    EXPECT_EQ(IsDateFormatCode(GetParam().code), GetParam().date);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, DateFormatTest,
    ::testing::Values(
        FormatCase{"iso", "yyyy-mm-dd", true}, FormatCase{"dayMonth", "d-mmm", true},
        FormatCase{"monthOnly", "mmmm", true},
        FormatCase{"chinese", "yyyy\"年\"m\"月\"d\"日\"", true},
        FormatCase{"localised", "[$-804]yyyy/m/d;@", true},
        FormatCase{"dateTime", "yyyy-mm-dd hh:mm", true}, FormatCase{"general", "General", false},
        FormatCase{"decimals", "0.000", false}, FormatCase{"colour", "[Red]#,##0.00", false},
        FormatCase{"minutes", "h:mm", false}, FormatCase{"elapsed", "[h]:mm:ss", false},
        FormatCase{"seconds", "mm:ss", false}, FormatCase{"quotedLetters", "0 \"days\"", false},
        FormatCase{"escapedLetter", "0\\d", false}),
    [](const auto& info) { return test::CaseName(info.param.name, info.index); });

TEST(ReadDateStylesTest, MarksTheCellStylesThatShowDates) {
    const std::string styles =
        "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<numFmts><numFmt numFmtId=\"14\" formatCode=\"0.00\"/>"
        "<numFmt numFmtId=\"170\" formatCode=\"yy.m.d\"/></numFmts><cellXfs>"
        "<xf numFmtId=\"0\"/><xf numFmtId=\"14\"/><xf numFmtId=\"170\"/><xf numFmtId=\"22\"/>"
        "<xf numFmtId=\"31\"/><xf numFmtId=\"45\"/><xf/></cellXfs></styleSheet>";
    // A defined format replaces the built-in one of its number.
    EXPECT_EQ(ReadDateStyles(styles),
              (std::vector<bool>{false, false, true, true, true, false, false}));
    EXPECT_TRUE(ReadDateStyles("<styleSheet").empty());
}

}  // namespace
}  // namespace zel
