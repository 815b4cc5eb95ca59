// The next check date the database keeps for each correspondence row (WhInvContrapose.dNextDate)
// falls on the day the program's own rule gives, whoever writes the row: the same day; due at
// once ('-infinity') for a cycle without a last check the program reads; none (NULL) for no plan
// or a day past the host's last year.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <set>
#include <string>
#include <vector>

#include "core/check_cycle.h"
#include "support/test_database.h"

namespace korvel {
namespace {

using namespace std::chrono;
using State = NextCheck::State;

constexpr const char* kNone = "~";

// What dNextDate holds, as text, for a row the rule plans so.
std::string StoredForm(const NextCheck& next) {
    switch (next.state) {
        case State::kPlanned:
            return sys_days(next.date) <= sys_days(9999y / December / 31) ? CheckDateText(next.date)
                                                                          : kNone;
        case State::kNeverCounted:
        case State::kBadDate:
            return "-infinity";
        case State::kNoPlan:
            break;
    }
    return kNone;
}

std::string Literal(const std::optional<int>& number) {
    return number ? std::to_string(*number) : "null";
}

std::string Literal(const std::string& text) {
    return text.empty() ? "null" : "'" + text + "'";
}

std::string Text(const zel::IRecordset& rows, const char* column) {
    const auto value = rows.Fields(column);
    return value && !value->IsNull() ? value->ToString() : std::string();
}

std::optional<int> Whole(const zel::IRecordset& rows, const char* column) {
    const auto value = rows.Fields(column);
    const auto number = value ? value->ToDouble() : std::nullopt;
    return number ? std::optional(static_cast<int>(*number)) : std::nullopt;
}

// A correspondence row to write: its key, cycle and last check (empty: never counted).
struct Row {
    std::string warehouse;
    std::string inventory;
    CheckCycle cycle;
    std::string last;
};

class NextCheckDate : public ::testing::Test {
protected:
    void SetUp() override { service = db.OpenService(); }

    // Adds the rows through the database service, as the program writes them, many to a
    // statement; seeds their warehouses and items first.
    void Write(const std::vector<Row>& rows) {
        std::set<std::string> warehouses;
        std::set<std::string> inventories;
        for (const Row& row : rows) {
            warehouses.insert(row.warehouse);
            inventories.insert(row.inventory);
        }
        for (const std::string& code : warehouses) {
            db.AddWarehouse(code);
        }
        InChunks(std::vector(inventories.begin(), inventories.end()),
                 "insert into Inventory (cInvCode, cInvName) values ",
                 [](const std::string& code) { return "('" + code + "', 'item')"; });
        InChunks(rows,
                 "insert into WhInvContrapose (cWhCode, cInvCode, cFrequency, iFrequency, iDays, "
                 "dLastDate) values ",
                 [](const Row& row) {
                     return "('" + row.warehouse + "', '" + row.inventory + "', " +
                            Literal(row.cycle.unit) + ", " + Literal(row.cycle.count) + ", " +
                            Literal(row.cycle.day) + ", " + Literal(row.last) + ")";
                 });
    }

    template <typename Item, typename Tuple>
    void InChunks(const std::vector<Item>& items, const std::string& head, Tuple tuple) {
        constexpr std::size_t kChunk = 500;
        for (std::size_t first = 0; first < items.size(); first += kChunk) {
            std::string sql = head;
            for (std::size_t i = first; i < std::min(items.size(), first + kChunk); ++i) {
                sql += (i > first ? ", " : "") + tuple(items[i]);
            }
            ASSERT_TRUE(service->ExecuteX(sql)) << service->LastError();
        }
    }

    // Every row whose stored next check differs from the rule's for its stored cycle and last
    // check, each "warehouse/item unit count day last: stored, rule"; how many rows were read.
    std::vector<std::string> RowsAgainstTheRule(std::size_t& read) {
        std::vector<std::string> differing;
        read = 0;
        const auto rows = service->Openforward(
            "select cWhCode, cInvCode, cFrequency, iFrequency, iDays, dLastDate, dNextDate "
            "from WhInvContrapose");
        for (; rows && !rows->Eof(); rows->MoveNext(), ++read) {
            const CheckCycle cycle{Text(*rows, "cFrequency"), Whole(*rows, "iFrequency"),
                                   Whole(*rows, "iDays")};
            const std::string last = Text(*rows, "dLastDate");
            const std::string ruled = StoredForm(NextCheckOf(cycle, last));
            std::string stored = Text(*rows, "dNextDate");
            if (stored.empty()) {
                stored = kNone;
            }
            if (stored != ruled) {
                differing.push_back(Text(*rows, "cWhCode") + "/" + Text(*rows, "cInvCode") + " " +
                                    cycle.unit + " " + Literal(cycle.count) + " " +
                                    Literal(cycle.day) + " " + Literal(last) + ": stored " +
                                    stored + ", rule " + ruled);
            }
        }
        return differing;
    }

    void ExpectEveryRowAsTheRuleGives(std::size_t rows) {
        std::size_t read = 0;
        const auto differing = RowsAgainstTheRule(read);
        EXPECT_EQ(read, rows);
        EXPECT_EQ(differing.size(), 0U);
        for (std::size_t i = 0; i < std::min<std::size_t>(differing.size(), 20); ++i) {
            ADD_FAILURE() << differing[i];
        }
    }

    zel::test::TestDatabase db;
    std::shared_ptr<zel::IClsCommon> service;
};

// 2026-12-13 is a Sunday and 2026-12-19 a Saturday; 1900-01-01 is a Monday; 2024 is a leap year,
// 2100 is not. From 1900-01-01 9999-12-31 lies 2958463 days, 97199 months and 15 days, away.
const std::vector<Row> kEdgeCases = {
    {"E", "DaysOverTheYearEnd", {"天", 1, {}}, "2026-12-31"},
    {"E", "DaysOntoALeapDay", {"天", 1, {}}, "2024-02-28"},
    {"E", "DaysOverALeapDay", {"天", 2, {}}, "2024-02-28"},
    {"E", "DaysOverACommonFebruary", {"天", 1, {}}, "2026-02-28"},
    {"E", "DaysOver2100", {"天", 1, {}}, "2100-02-28"},
    {"E", "WeekOnItsSundayFromASunday", {"周", 1, 1}, "2026-12-13"},
    {"E", "WeekOnItsSaturdayFromASunday", {"周", 1, 7}, "2026-12-13"},
    {"E", "WeekOnItsSundayFromASaturday", {"周", 1, 1}, "2026-12-19"},
    {"E", "WeekOnItsSaturdayFromASaturday", {"周", 1, 7}, "2026-12-19"},
    {"E", "WeekOverTheYearEnd", {"周", 1, 6}, "2026-12-30"},
    {"E", "WeekOverALeapDay", {"周", 1, 5}, "2024-02-26"},
    {"E", "WeekWithoutADay", {"周", 3, {}}, "2026-12-30"},
    {"E", "WeekFromTheFirstDay", {"周", 1, 1}, "1900-01-01"},
    {"E", "MonthEndInFebruary", {"月", 1, 31}, "2026-01-05"},
    {"E", "MonthEndInALeapFebruary", {"月", 1, 30}, "2024-01-31"},
    {"E", "MonthEndIn2100", {"月", 1, 29}, "2100-01-10"},
    {"E", "MonthDay31InApril", {"月", 1, 31}, "2026-03-15"},
    {"E", "MonthDay31InJune", {"月", 3, 31}, "2026-03-31"},
    {"E", "MonthDay31InSeptember", {"月", 6, 31}, "2026-03-01"},
    {"E", "MonthDay31InNovember", {"月", 8, 31}, "2026-03-01"},
    {"E", "MonthWithoutADayFromTheEnd", {"月", 1, {}}, "2026-01-31"},
    {"E", "MonthWithoutADayFromALeapDay", {"月", 12, {}}, "2024-02-29"},
    {"E", "MonthWithoutADayOntoALeapDay", {"月", 48, {}}, "2024-02-29"},
    {"E", "MonthOverTheYearEnd", {"月", 1, {}}, "2026-12-31"},
    {"E", "MonthsOverYears", {"月", 25, 1}, "2026-12-09"},
    {"E", "OnTheLastDay", {"天", 1, {}}, "9999-12-30"},
    {"E", "DaysPastTheLastDay", {"天", 1, {}}, "9999-12-31"},
    {"E", "WeekPastTheLastDay", {"周", 1, 1}, "9999-12-31"},
    {"E", "MonthPastTheLastDay", {"月", 1, {}}, "9999-12-15"},
    {"E", "DaysReachingTheLastDay", {"天", 2958463, {}}, "1900-01-01"},
    {"E", "DaysReachingPastTheLastDay", {"天", 2958464, {}}, "1900-01-01"},
    {"E", "WeeksReachingTheLastWeek", {"周", 422637, {}}, "1900-01-01"},
    {"E", "WeeksReachingPastTheLastDay", {"周", 422637, 7}, "1900-01-01"},
    {"E", "MonthsReachingTheLastMonth", {"月", 97199, {}}, "1900-01-15"},
    {"E", "MonthsReachingPastTheLastMonth", {"月", 97200, {}}, "1900-01-15"},
    {"E", "ManyDays", {"天", 3000001, {}}, "2026-12-09"},
    {"E", "ManyWeeks", {"周", 430001, 2}, "2026-12-09"},
    {"E", "ManyMonths", {"月", 97201, 3}, "2026-12-09"},
    {"E", "MostDays", {"天", INT_MAX, {}}, "2026-12-09"},
    {"E", "MostWeeks", {"周", INT_MAX, 7}, "2026-12-09"},
    {"E", "MostWeeksWithoutADay", {"周", INT_MAX, {}}, "2026-12-09"},
    {"E", "MostMonths", {"月", INT_MAX, 31}, "2026-12-09"},
    {"E", "NoUnit", {"", 3, {}}, "2026-12-09"},
    {"E", "NoUnitButADay", {"", 3, 5}, "2026-12-09"},
    {"E", "NoCount", {"天", {}, {}}, "2026-12-09"},
    {"E", "CountZero", {"月", 0, 1}, "2026-12-09"},
    {"E", "CountBelowZero", {"周", -1, 2}, "2026-12-09"},
    {"E", "NoCycleAtAll", {"", {}, {}}, "2026-12-09"},
    {"E", "NeverCounted", {"周", 1, 2}, ""},
    {"E", "NeverCountedWithoutACycle", {"", {}, {}}, ""},
    {"E", "NeverCountedWithCountZero", {"天", 0, {}}, ""},
    {"E", "TheFirstDay", {"天", 1, {}}, "1900-01-01"},
    {"E", "TheDayBefore1900", {"天", 1, {}}, "1899-12-31"},
    {"E", "LongBefore1900", {"月", 1, 31}, "0001-01-01"},
    {"E", "Before1900WithoutACycle", {"", {}, {}}, "1899-12-31"},
};

TEST_F(NextCheckDate, FallsOnTheRulesDayAtMonthEndsWeekDaysYearEndsAndTheLastYear) {
    Write(kEdgeCases);
    ExpectEveryRowAsTheRuleGives(kEdgeCases.size());
}

// Every day of a leap year and of a common year as the last check, under a spread of cycles:
// the two rules are the same on every day, not on a sample.
std::vector<Row> EveryDayOfTwoYears() {
    const CheckCycle cycles[] = {
        {"天", 1, {}},  {"天", 30, {}}, {"天", 366, {}}, {"周", 1, {}},
        {"周", 1, 1},   {"周", 3, 7},   {"周", 2, 4},    {"周", 52, 3},
        {"月", 1, {}},  {"月", 1, 31},  {"月", 1, 29},   {"月", 3, 30},
        {"月", 12, {}}, {"月", 13, 1},  {"月", 48, {}},  {"月", 11, 28},
    };
    std::vector<Row> rows;
    for (const year year : {2024y, 2026y}) {
        for (sys_days day{year / January / 1}; day <= sys_days{year / December / 31};
             day += days(1)) {
            const std::string last = CheckDateText(year_month_day(day));
            for (std::size_t i = 0; i < std::size(cycles); ++i) {
                rows.push_back({"W" + std::to_string(i), last, cycles[i], last});
            }
        }
    }
    return rows;
}

TEST_F(NextCheckDate, FallsOnTheRulesDayFromEveryDayOfALeapAndACommonYear) {
    const std::vector<Row> rows = EveryDayOfTwoYears();
    ASSERT_EQ(rows.size(), 16U * (366 + 365));
    Write(rows);
    ExpectEveryRowAsTheRuleGives(rows.size());
}

// A change of any one field the date depends on moves it, through the service or another program.
TEST_F(NextCheckDate, FollowsAChangeOfEachCycleFieldAndTheLastCheck) {
    std::vector<Row> rows;
    for (const Row& row : EveryDayOfTwoYears()) {
        if (row.last.ends_with("-01") || row.last.ends_with("-29") || row.last.ends_with("-31")) {
            rows.push_back(row);
        }
    }
    Write(rows);
    const std::vector<std::string> changes = {
        "update WhInvContrapose set dLastDate = '2025-01-31' where cInvCode like '2024-01-%'",
        "update WhInvContrapose set iFrequency = iFrequency + 1 where cInvCode like '%-01'",
        "update WhInvContrapose set iDays = 6 where cFrequency in ('周', '月') and "
        "cInvCode like '%-29'",
        "update WhInvContrapose set iDays = null where cWhCode = 'W4'",
        "update WhInvContrapose set cFrequency = '月' where cFrequency = '周'",
        "update WhInvContrapose set cFrequency = '天', iDays = null where cWhCode = 'W10'",
        "update WhInvContrapose set dLastDate = null where cInvCode like '2026-03-%'",
        "update WhInvContrapose set iFrequency = 0 where cInvCode like '2026-05-%'",
        "update WhInvContrapose set cFrequency = null where cInvCode like '2026-07-%'",
        "update WhInvContrapose set cFrequency = '月', dLastDate = '2027-02-28' where cFrequency "
        "is null",
    };
    for (const std::string& change : changes) {
        SCOPED_TRACE(change);
        ASSERT_TRUE(service->ExecuteX(change)) << service->LastError();
        ExpectEveryRowAsTheRuleGives(rows.size());
    }
    // Another program writes straight to the engine.
    ASSERT_TRUE(
        db.Execute("update WhInvContrapose set dLastDate = '2028-02-29', iFrequency = 12 "
                   "where cWhCode in ('W8', 'W12')"));
    ExpectEveryRowAsTheRuleGives(rows.size());
}

}  // namespace
}  // namespace korvel
