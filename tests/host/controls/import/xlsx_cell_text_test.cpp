#include "host/controls/import/xlsx_cell_text.h"

#include <gtest/gtest.h>

#include <ostream>

#include <optional>
#include <utility>
#include <vector>

#include "support/case_name.h"

namespace zel {
namespace {

struct SerialCase {
    const char* name;
    const char* number;
    bool date1904;
    std::optional<std::string> day;
};

void PrintTo(const SerialCase& c, std::ostream* out) {
    *out << c.name;
}

class SerialDateTest : public ::testing::TestWithParam<SerialCase> {};

TEST_P(SerialDateTest, CountsDaysAsWorkbooksDo) {
    EXPECT_EQ(SerialDate(GetParam().number, GetParam().date1904), GetParam().day);
}

INSTANTIATE_TEST_SUITE_P(
    Days, SerialDateTest,
    ::testing::Values(SerialCase{"first", "1", false, "1900-01-01"},
                      SerialCase{"beforeLeapBug", "59", false, "1900-02-28"},
                      SerialCase{"leapBug", "60", false, "1900-02-29"},
                      SerialCase{"afterLeapBug", "61", false, "1900-03-01"},
                      SerialCase{"timeOfDay", "45000.999", false, "2023-03-15"},
                      SerialCase{"leapYear", "45351", false, "2024-02-29"},
                      SerialCase{"last", "2958465", false, "9999-12-31"},
                      SerialCase{"pastLast", "2958466", false, std::nullopt},
                      SerialCase{"zero", "0", false, std::nullopt},
                      SerialCase{"negative", "-1", false, std::nullopt},
                      SerialCase{"notNumber", "1/2", false, std::nullopt},
                      SerialCase{"first1904", "0", true, "1904-01-01"},
                      SerialCase{"system1904", "43830", true, "2024-01-01"}),
    [](const auto& info) { return test::CaseName(info.param.name, info.index); });

TEST(UnescapedTextTest, MakesEscapedCharactersPlain) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"a_x000D_b", "a\rb"},       {"_x005F_x0041_", "_x0041_"}, {"_x00e9_", "\xC3\xA9"},
        {"_x4E2D_", "\xE4\xB8\xAD"}, {"_xZZZZ_", "_xZZZZ_"},       {"_x41_", "_x41_"},
        {"tail_x", "tail_x"},
    };
    for (const auto& [stored, plain] : cases) {
        EXPECT_EQ(UnescapedText(stored), plain) << stored;
    }
}

}  // namespace
}  // namespace zel
