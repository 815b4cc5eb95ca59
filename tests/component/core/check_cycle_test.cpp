#include "core/check_cycle.h"

#include <gtest/gtest.h>

#include <climits>

#include "support/case_name.h"

#include "host/objects/host_date.h"

namespace korvel {
namespace {

using State = NextCheck::State;

std::chrono::year_month_day Day(const char* text) {
    return zel::HostDate::Parse(text)->Day();
}

struct Case {
    const char* name;
    CheckCycle cycle;
    const char* last;
    State state;
    const char* next;  // for kPlanned
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class NextCheckTable : public ::testing::TestWithParam<Case> {};

TEST_P(NextCheckTable, FallsOnTheDayTheCycleGives) {
    const NextCheck next = NextCheckOf(GetParam().cycle, GetParam().last);
    EXPECT_EQ(next.state, GetParam().state);
    if (GetParam().state == State::kPlanned) {
        EXPECT_EQ(CheckDateText(next.date), GetParam().next);
    }
}

// 2026-12-09 is a Wednesday; 2024 is a leap year, 2100 is not.
INSTANTIATE_TEST_SUITE_P(
    Cycles, NextCheckTable,
    ::testing::Values(
        Case{"Days", {"天", 10, {}}, "2026-12-09", State::kPlanned, "2026-12-19"},
        Case{"DaysOverTheYearEnd", {"天", 30, {}}, "2026-12-09", State::kPlanned, "2027-01-08"},
        Case{"DaysOverALeapDay", {"天", 1, {}}, "2024-02-28", State::kPlanned, "2024-02-29"},
        Case{"DaysIgnoreADay", {"天", 1, 5}, "2026-12-09", State::kPlanned, "2026-12-10"},
        Case{"WeekOnItsSunday", {"周", 1, 1}, "2026-12-09", State::kPlanned, "2026-12-13"},
        Case{"WeekOnItsSaturday", {"周", 1, 7}, "2026-12-09", State::kPlanned, "2026-12-19"},
        Case{"WeekOnTheSameWeekday", {"周", 2, 4}, "2026-12-09", State::kPlanned, "2026-12-23"},
        Case{"WeekCountedOnASunday", {"周", 1, 7}, "2026-12-13", State::kPlanned, "2026-12-26"},
        Case{"WeekCountedOnASaturday", {"周", 1, 1}, "2026-12-19", State::kPlanned, "2026-12-20"},
        Case{"WeekOverTheYearEnd", {"周", 1, 6}, "2026-12-30", State::kPlanned, "2027-01-08"},
        Case{"WeekWithoutADay", {"周", 3, {}}, "2026-12-09", State::kPlanned, "2026-12-30"},
        Case{"MonthOnItsDay", {"月", 1, 15}, "2026-12-09", State::kPlanned, "2027-01-15"},
        Case{"MonthEndInFebruary", {"月", 2, 31}, "2026-12-09", State::kPlanned, "2027-02-28"},
        Case{"MonthEndInALeapFebruary", {"月", 1, 30}, "2024-01-31", State::kPlanned, "2024-02-29"},
        Case{"MonthEndIn2100", {"月", 1, 29}, "2100-01-10", State::kPlanned, "2100-02-28"},
        Case{"MonthOfThirtyDays", {"月", 3, 31}, "2027-01-05", State::kPlanned, "2027-04-30"},
        Case{"MonthsOverYears", {"月", 25, 1}, "2026-12-09", State::kPlanned, "2029-01-01"},
        Case{"MonthWithoutADay", {"月", 1, {}}, "2027-01-31", State::kPlanned, "2027-02-28"},
        Case{"NoUnit", {"", 3, {}}, "2026-12-09", State::kNoPlan, ""},
        Case{"UnknownUnit", {"年", 3, {}}, "2026-12-09", State::kNoPlan, ""},
        Case{"NoCount", {"天", {}, {}}, "2026-12-09", State::kNoPlan, ""},
        Case{"CountZero", {"月", 0, 1}, "2026-12-09", State::kNoPlan, ""},
        Case{"WeekDayEight", {"周", 1, 8}, "2026-12-09", State::kNoPlan, ""},
        Case{"MonthDayZero", {"月", 1, 0}, "2026-12-09", State::kNoPlan, ""},
        Case{"OnTheLastDay", {"月", 1, 31}, "9999-11-30", State::kPlanned, "9999-12-31"},
        // Past the last year, however far: no year wrapped round to one long past.
        Case{"PastTheLastDay", {"天", 1, {}}, "9999-12-31", State::kNoPlan, ""},
        Case{"DaysFarPastTheLastYear", {"天", INT_MAX, {}}, "2026-12-09", State::kNoPlan, ""},
        Case{"WeeksFarPastTheLastYear", {"周", INT_MAX, 7}, "2026-12-09", State::kNoPlan, ""},
        Case{"MonthsPastTheLastYear", {"月", 1, {}}, "9999-12-01", State::kNoPlan, ""},
        Case{"MonthsFarPastTheLastYear", {"月", INT_MAX, 31}, "2026-12-09", State::kNoPlan, ""},
        Case{"NeverCounted", {"周", 1, 2}, "", State::kNeverCounted, ""},
        Case{"NoPlanNeverCounted", {"", {}, {}}, "", State::kNoPlan, ""},
        Case{"Before1900", {"天", 1, {}}, "1899-12-31", State::kBadDate, ""},
        Case{
            "LastCheckTypedWithSlashes", {"天", 1, {}}, "2026/12/9", State::kPlanned, "2026-12-10"},
        Case{"NoSuchDay", {"天", 1, {}}, "2026-02-30", State::kBadDate, ""},
        Case{"NotADate", {"天", 1, {}}, "yesterday", State::kBadDate, ""}),
    [](const auto& info) { return ::zel::test::CaseName(info.param.name, info.index); });

TEST(NextCheck, IsDueOnItsDayAndAfterAndWhenNeverCounted) {
    const auto asOf = Day("2026-12-19");
    EXPECT_TRUE(NextCheckOf({"天", 10, {}}, "2026-12-09").Due(asOf));
    EXPECT_TRUE(NextCheckOf({"天", 5, {}}, "2026-12-09").Due(asOf));
    EXPECT_FALSE(NextCheckOf({"天", 11, {}}, "2026-12-09").Due(asOf));
    EXPECT_TRUE(NextCheckOf({"天", 11, {}}, "").Due(asOf));
    EXPECT_FALSE(NextCheckOf({"", {}, {}}, "").Due(asOf));
    EXPECT_FALSE(NextCheckOf({"天", 1, {}}, "1800-01-01").Due(asOf));
}

TEST(NextCheck, DaysOverdueCountWholeDaysEitherWay) {
    const auto next = Day("2026-12-09");
    EXPECT_EQ(DaysOverdue(next, Day("2026-12-09")), 0);
    EXPECT_EQ(DaysOverdue(next, Day("2027-01-08")), 30);
    EXPECT_EQ(DaysOverdue(next, Day("2026-12-01")), -8);
}

// The lists show the units' resource texts, which need not be the stored codes.
TEST(CycleUnits, TranslateBetweenListTextsAndStoredCodesByTheirPlace) {
    FieldCatalogue catalogue;
    catalogue.arrFreqText = {"day", "week", "month"};
    EXPECT_EQ(CycleUnitOfText(catalogue, "week"), kUnitWeek);
    EXPECT_EQ(CycleUnitCode(CycleUnitOfText(catalogue, "month")), "月");
    EXPECT_EQ(CycleUnitOfText(catalogue, "周"), kUnitNone);
    EXPECT_EQ(CycleUnitTextOfCode(catalogue, "天"), "day");
    EXPECT_EQ(CycleUnitTextOfCode(catalogue, "年"), "年") << "a code of no unit shows as it is";
    EXPECT_EQ(CycleUnitTextOfCode(catalogue, ""), "");
    EXPECT_EQ(CycleUnitCode(kUnitNone), "");
}

}  // namespace
}  // namespace korvel
