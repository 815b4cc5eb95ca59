#include "checkplan/due_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/login_context.h"
#include "host/objects/host_date.h"
#include "support/first_server_schema.h"
#include "support/test_database.h"

namespace korvel {
namespace {

using std::chrono::year_month_day;

year_month_day Day(const char* iso) {
    return zel::HostDate::Parse(iso)->Day();
}

// One seeded row as the program's own rule plans it.
struct SeededRow {
    std::string warehouse;
    std::string item;
    std::string storekeeper;
    std::string last;
    NextCheck next;
};

// A row of the list as a line that names what went wrong when lists differ.
std::string Line(const std::string& warehouse, const std::string& item, const std::string& last,
                 const NextCheck& next) {
    const char* states[] = {"no plan", "never counted", "", "unreadable last check"};
    const bool planned = next.state == NextCheck::State::kPlanned;
    return warehouse + "/" + item + " last " + last + " next " +
           (planned ? CheckDateText(next.date) : states[static_cast<int>(next.state)]);
}

// Cycles of every unit and shape, and cycles that plan nothing, each with last checks across
// month ends, a leap day, a year end, none and one before 1900; the rows spread over three
// warehouses and two storekeepers. 2024-03-15 is a Friday.
class DueChecksTest : public ::testing::Test {
protected:
    struct Cycle {
        const char* unit;
        std::optional<int> count;
        std::optional<int> day;
    };

    void SetUp() override {
        for (const char* warehouse : {"01", "02", "03"}) {
            db.AddWarehouse(warehouse, std::string("库") + warehouse);
        }
        db.AddPerson("P01", "张三");
        db.AddPerson("P02", "李四");
        const Cycle cycles[] = {
            {"天", 1, {}},  {"天", 10, {}}, {"天", 45, {}}, {"周", 1, {}}, {"周", 2, 1},
            {"周", 1, 7},   {"周", 4, 3},   {"月", 1, {}},  {"月", 1, 31}, {"月", 2, 30},
            {"月", 12, 29}, {"月", 3, 1},   {"", 1, {}},    {"月", 0, {}}, {"天", {}, {}},
        };
        const char* lasts[] = {"",           "1899-12-31", "2023-12-31", "2024-01-31",
                               "2024-02-29", "2024-03-01", "2024-03-05", "2024-03-15"};
        int index = 0;
        for (const char* last : lasts) {
            for (const Cycle& cycle : cycles) {
                Seed(cycle, last, index++);
            }
        }
        login.db = db.OpenService();
        login.sAuthInv = "(1=1)";
        login.sAuthWh = "(1=1)";
    }

    void Seed(const Cycle& cycle, const char* last, int index) {
        char item[8];
        std::snprintf(item, sizeof item, "I%03d", index);
        SeededRow row{kWarehouses[index * 7 % 3], item, kStorekeepers[index % 3], last, {}};
        row.next = NextCheckOf({cycle.unit, cycle.count, cycle.day}, last);
        std::map<std::string, zel::Variant> columns;
        if (*cycle.unit != '\0') {
            columns["cFrequency"] = cycle.unit;
        }
        if (cycle.count) {
            columns["iFrequency"] = *cycle.count;
        }
        if (cycle.day) {
            columns["iDays"] = *cycle.day;
        }
        if (*last != '\0') {
            columns["dLastDate"] = last;
        }
        if (!row.storekeeper.empty()) {
            columns["cWhPersonCode"] = row.storekeeper;
        }
        db.AddInventory(item, std::string("件") + item);
        db.AddCorrespondence(row.warehouse, item, columns);
        seeded.push_back(std::move(row));
    }

    // The rows the rule finds due, those due at once first, then by next check, warehouse and
    // item, as lines.
    std::vector<std::string> Expected(year_month_day asOf,
                                      const std::function<bool(const SeededRow&)>& kept) const {
        std::vector<const SeededRow*> due;
        for (const SeededRow& row : seeded) {
            const bool atOnce = row.next.state == NextCheck::State::kNeverCounted ||
                                row.next.state == NextCheck::State::kBadDate;
            if ((atOnce || row.next.Due(asOf)) && kept(row)) {
                due.push_back(&row);
            }
        }
        const auto key = [](const SeededRow* row) {
            const bool planned = row->next.state == NextCheck::State::kPlanned;
            return std::tuple(
                planned,
                planned ? std::chrono::sys_days(row->next.date).time_since_epoch().count() : 0,
                row->warehouse, row->item);
        };
        std::sort(due.begin(), due.end(),
                  [&](const SeededRow* a, const SeededRow* b) { return key(a) < key(b); });
        std::vector<std::string> lines;
        for (const SeededRow* row : due) {
            lines.push_back(Line(row->warehouse, row->item, row->last, row->next));
        }
        return lines;
    }

    std::vector<std::string> Listed(year_month_day asOf, const DueCheckFilter& filter = {}) {
        bool ok = false;
        const auto due = ReadDueChecks(*login.db, DueChecksQuery(login, filter, asOf), ok);
        EXPECT_TRUE(ok) << login.db->LastError();
        std::vector<std::string> lines;
        for (const DueCheck& row : due) {
            lines.push_back(Line(row.warehouseCode, row.inventoryCode, row.lastCheck, row.next));
        }
        return lines;
    }

    static constexpr const char* kWarehouses[] = {"01", "02", "03"};
    static constexpr const char* kStorekeepers[] = {"", "P01", "P02"};

    zel::test::TestDatabase db;
    LoginContext login;
    std::vector<SeededRow> seeded;
};

TEST_F(DueChecksTest, ListsTheRowsTheCycleRuleFindsDueInOrder) {
    for (const char* asOf : {"2024-03-15", "2024-02-29", "2024-12-31", "1950-01-01"}) {
        EXPECT_EQ(Listed(Day(asOf)), Expected(Day(asOf), [](const SeededRow&) { return true; }))
            << "as of " << asOf;
    }
}

// The same rows in an account the first server schema made, which held the cycle counts as whole
// numbers and the last check as a date: once the program has opened it, the list is the same.
class DueChecksOfTheFirstServerSchemaTest : public DueChecksTest {
protected:
    void SetUp() override {
        if (!db.OnServer()) {
            GTEST_SKIP() << "about server accounts; needs WHINV_TEST_POSTGRES";
        }
        std::string error;
        ASSERT_TRUE(zel::test::MakeFirstServerSchemaAccount(db, error)) << error;
        DueChecksTest::SetUp();
    }
};

TEST_F(DueChecksOfTheFirstServerSchemaTest, ListsTheRowsTheCycleRuleFindsDueInOrder) {
    ASSERT_TRUE(login.db->Status()) << login.db->LastError();
    for (const char* asOf : {"2024-03-15", "2024-02-29", "2024-12-31", "1950-01-01"}) {
        EXPECT_EQ(Listed(Day(asOf)), Expected(Day(asOf), [](const SeededRow&) { return true; }))
            << "as of " << asOf;
    }
}

// The read rights as the login's conditions spell them, and the filters, each alone and together.
TEST_F(DueChecksTest, TheReadRightsAndTheFiltersNarrowTheList) {
    std::string evenItems;
    for (const SeededRow& row : seeded) {
        if ((row.item.back() - '0') % 2 == 0) {
            evenItems +=
                (evenItems.empty() ? "" : ",") +
                db.Scalar("select iId from Inventory where cInvCode='" + row.item + "'").ToString();
        }
    }
    const std::string evenItemsRight = "( Inventory.iId in (" + evenItems + "))";
    const std::string notWarehouse02 = "(Warehouse.CWhCode in ('01','03'))";
    const auto even = [](const SeededRow& row) { return (row.item.back() - '0') % 2 == 0; };
    const auto not02 = [](const SeededRow& row) { return row.warehouse != "02"; };
    const struct {
        const char* what;
        std::string inventoryRight;
        std::string warehouseRight;
        DueCheckFilter filter;
        std::function<bool(const SeededRow&)> kept;
    } cases[] = {
        {"warehouse right", "(1=1)", notWarehouse02, {}, not02},
        {"inventory right", evenItemsRight, "(1=1)", {}, even},
        {"both rights",
         evenItemsRight,
         notWarehouse02,
         {},
         [&](const SeededRow& row) { return even(row) && not02(row); }},
        {"no inventory right",
         std::string(kNoRowCondition),
         "(1=1)",
         {},
         [](const SeededRow&) { return false; }},
        {"one warehouse",
         "(1=1)",
         "(1=1)",
         {"02", ""},
         [](const SeededRow& row) { return row.warehouse == "02"; }},
        {"one warehouse the user may not read",
         "(1=1)",
         notWarehouse02,
         {"02", ""},
         [](const SeededRow&) { return false; }},
        {"one storekeeper",
         "(1=1)",
         "(1=1)",
         {"", "P01"},
         [](const SeededRow& row) { return row.storekeeper == "P01"; }},
        {"a warehouse and a storekeeper under a right",
         evenItemsRight,
         "(1=1)",
         {"03", "P02"},
         [&](const SeededRow& row) {
             return even(row) && row.warehouse == "03" && row.storekeeper == "P02";
         }},
    };
    const year_month_day asOf = Day("2024-03-15");
    for (const auto& c : cases) {
        login.sAuthInv = c.inventoryRight;
        login.sAuthWh = c.warehouseRight;
        EXPECT_EQ(Listed(asOf, c.filter), Expected(asOf, c.kept)) << c.what;
    }
}

// Part of what is due is never passed off as all of it.
TEST_F(DueChecksTest, AReadThatFailsGivesNoRows) {
    ASSERT_TRUE(db.Execute("alter table Person rename to PersonGone"));
    bool ok = true;
    EXPECT_TRUE(ReadDueChecks(*login.db, DueChecksQuery(login, {}, Day("2024-03-15")), ok).empty());
    EXPECT_FALSE(ok);
}

TEST(DueCheckCells, ShowTheNextCheckAndDaysOverdueOrWhyTheRowIsDueAtOnce) {
    const DueCheckCaptions captions{{}, "never", "unreadable"};
    const year_month_day asOf = Day("2024-03-15");
    const struct {
        NextCheck next;
        const char* last;
        const char* nextCell;
        const char* overdueCell;
    } cases[] = {
        {{NextCheck::State::kPlanned, Day("2024-03-11")}, "2024-03-01", "2024-03-11", "4"},
        {{NextCheck::State::kPlanned, Day("2024-03-15")}, "2024-03-08", "2024-03-15", "0"},
        {{NextCheck::State::kNeverCounted, {}}, "", "never", ""},
        {{NextCheck::State::kBadDate, {}}, "1899-12-31", "unreadable", ""},
    };
    for (const auto& c : cases) {
        const DueCheck row{"01", "库", "A001", "钉", "P01", "张三", c.last, c.next};
        EXPECT_EQ(DueCheckCells(row, captions, asOf),
                  (std::vector<std::string>{"01", "库", "A001", "钉", "P01 张三", c.last,
                                            c.nextCell, c.overdueCell}));
    }
}

}  // namespace
}  // namespace korvel
