#include "host/database/host_date.h"

#include <gtest/gtest.h>
#include "support/case_name.h"

namespace zel {
namespace {

struct DateCase {
    const char* text;
    const char* iso;  // nullptr: refused
};

void PrintTo(const DateCase& c, std::ostream* out) {
    *out << '"' << c.text << '"';
}

class HostDateTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(HostDateTest, ReadsCalendarDatesOnly) {
    const auto date = HostDate::Parse(GetParam().text);
    if (GetParam().iso == nullptr) {
        EXPECT_FALSE(date) << GetParam().text;
    } else {
        ASSERT_TRUE(date) << GetParam().text;
        EXPECT_EQ(date->ToIso(), GetParam().iso);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, HostDateTest,
    ::testing::Values(DateCase{"2026-03-05", "2026-03-05"}, DateCase{"2026-3-5", "2026-03-05"},
                      DateCase{"2026/3/5", "2026-03-05"}, DateCase{" 2024-02-29 ", "2024-02-29"},
                      DateCase{"2000-02-29", "2000-02-29"}, DateCase{"1900-02-29", nullptr},
                      DateCase{"2026-02-30", nullptr}, DateCase{"2026-13-01", nullptr},
                      DateCase{"2026-00-10", nullptr}, DateCase{"2026-04-31", nullptr},
                      DateCase{"2026-3/5", nullptr}, DateCase{"26-3-5", nullptr},
                      DateCase{"2026-3-5 10:00", nullptr}, DateCase{"today", nullptr},
                      DateCase{"", nullptr}, DateCase{"2026-003-05", nullptr}),
    [](const auto& info) {
        return ::zel::test::CaseName(std::to_string(info.index) + " " + info.param.text,
                                     info.index);
    });

}  // namespace
}  // namespace zel
