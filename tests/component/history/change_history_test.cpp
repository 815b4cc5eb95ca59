// The history list's query and reader over the account's history, as the triggers write it and
// as a long history holds it, within the user's read rights; and the list's texts.
#include "history/change_history.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "component/support/main_window_fixture.h"
#include "core/login_context.h"
#include "host/controls/print/print_data.h"
#include "host/login/login.h"
#include "support/server_roles.h"

namespace korvel {
namespace {

// An entry's row without who wrote it and when: "kind warehouse item field old→new", NULL as ~.
std::string Line(const ChangeHistoryEntry& entry) {
    return entry.kind + " " + entry.warehouseCode + " " + entry.inventoryCode + " " + entry.field +
           " " + entry.oldValue.value_or("~") + "→" + entry.newValue.value_or("~");
}

std::vector<std::string> Lines(const std::vector<ChangeHistoryEntry>& entries) {
    std::vector<std::string> lines;
    for (const ChangeHistoryEntry& entry : entries) {
        lines.push_back(Line(entry));
    }
    return lines;
}

class ChangeHistoryTest : public test::MainWindowTest {
protected:
    void SetUp() override {
        database.AddWarehouse("01", "成品库");
        database.AddWarehouse("02", "原料库");
        database.AddInventory("A001", "螺钉");
        database.AddInventory("A002", "螺母");
        database.AddPerson("P01", "张三");
        // The program's user, whom the host names as the writer on a file.
        zel::Login::Values user;
        user.userId = "demo";
        database.Environment()->session = std::make_shared<zel::Login>(user);
    }

    std::vector<ChangeHistoryEntry> Read(const ChangeHistoryFilter& filter = {}) {
        bool ok = false;
        auto entries =
            ReadChangeHistory(*context.login.db, ChangeHistoryQuery(context.login, filter), ok);
        EXPECT_TRUE(ok) << context.login.db->LastError();
        return entries;
    }

    void Write(const std::string& sql) {
        ASSERT_TRUE(context.login.db->ExecuteX(sql))
            << sql << ": " << context.login.db->LastError();
    }

    // An entry written straight into the history, as the owner may: at a time of our choosing.
    void AddEntry(long long change, const std::string& when, const std::string& user,
                  const std::string& kind) {
        ASSERT_TRUE(database.Execute(
            "insert into whinv_change (iChange, dWhen, cUser, cKind) " +
            std::string(database.OnServer() ? "overriding system value " : "") + "values (" +
            std::to_string(change) + ", '" + when + "', '" + user + "', '" + kind + "')"));
    }
    void AddValue(long long change, const std::string& warehouse, const std::string& item,
                  const std::string& field, const std::string& oldValue,
                  const std::string& newValue) {
        ASSERT_TRUE(database.Execute(
            "insert into whinv_change_value (iChange, cWhCode, cInvCode, cField, cOldValue, "
            "cNewValue) values (" +
            std::to_string(change) + ", '" + warehouse + "', '" + item + "', '" + field + "', '" +
            oldValue + "', '" + newValue + "')"));
    }
    // count value rows of the entry, items N0001 … of warehouse 01, field iTopSum.
    void AddValues(long long change, int count) {
        const std::string n = std::to_string(count);
        const std::string numbered =
            database.OnServer()
                ? "select 'N' || lpad(i::text, 4, '0') as item from generate_series(1, " + n + ") i"
                : "with recursive n(i) as (select 1 union all select i + 1 from n where i < " + n +
                      ") select 'N' || substr('0000' || i, -4, 4) as item from n";
        ASSERT_TRUE(database.Execute(
            "insert into whinv_change_value (iChange, cWhCode, cInvCode, cField, cOldValue, "
            "cNewValue) select " +
            std::to_string(change) + ", '01', item, 'iTopSum', null, '1' from (" + numbered +
            ") numbered"));
    }

    // Who the program's writes are credited to: the login on a server, the program's user on a
    // file.
    std::string ProgramUser() {
        return database.OnServer() ? database.Scalar("select session_user").ToString() : "demo";
    }
};

TEST_F(ChangeHistoryTest, ListsEachWriteNewestFirstWithTheExactValues) {
    BindContext();
    Write(
        "insert into WhInvContrapose (cWhCode, cInvCode, iTopSum, cFrequency, dLastDate) "
        "values ('01', 'A001', 12.345678, '周', '2026-01-05')");
    Write("update WhInvContrapose set iTopSum=0.000001, cWhPersonCode='P01' where cInvCode='A001'");
    Write("delete from WhInvContrapose where cInvCode='A001'");

    auto entries = Read();
    // The fields of one entry come in no order of their own.
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return std::tuple(-a.change, a.field) < std::tuple(-b.change, b.field);
    });
    EXPECT_EQ(Lines(entries), (std::vector<std::string>{
                                  "delete 01 A001 cFrequency 周→~",
                                  "delete 01 A001 cInvCode A001→~",
                                  "delete 01 A001 cWhCode 01→~",
                                  "delete 01 A001 cWhPersonCode P01→~",
                                  "delete 01 A001 dLastDate 2026-01-05→~",
                                  "delete 01 A001 iTopSum 0.000001→~",
                                  "change 01 A001 cWhPersonCode ~→P01",
                                  "change 01 A001 iTopSum 12.345678→0.000001",
                                  "add 01 A001 cFrequency ~→周",
                                  "add 01 A001 cInvCode ~→A001",
                                  "add 01 A001 cWhCode ~→01",
                                  "add 01 A001 dLastDate ~→2026-01-05",
                                  "add 01 A001 iTopSum ~→12.345678",
                              }));
    for (const ChangeHistoryEntry& entry : entries) {
        EXPECT_EQ(entry.user, ProgramUser());
        EXPECT_EQ(entry.warehouseName, "成品库");
        EXPECT_EQ(entry.inventoryName, "螺钉");
        EXPECT_EQ(entry.when.size(), 19u) << entry.when;
    }
}

TEST_F(ChangeHistoryTest, TheHistoryOutlivesTheRowsWarehouseAndItem) {
    BindContext();
    database.AddInventory("GONE", "旧件");
    Write("insert into WhInvContrapose (cWhCode, cInvCode, iTopSum) values ('02', 'GONE', 5)");
    Write("delete from WhInvContrapose where cInvCode='GONE'");
    ASSERT_TRUE(database.Execute("delete from Inventory where cInvCode='GONE'"));

    const auto entries = Read({.inventory = "GONE"});
    EXPECT_EQ(entries.size(), 6u);
    for (const ChangeHistoryEntry& entry : entries) {
        EXPECT_EQ(entry.inventoryName, "");
        EXPECT_EQ(entry.warehouseName, "原料库");
    }
}

// Entries at chosen times: 1 on 2026-01-01 (add 01 A001), 2 on 2026-01-02 just before midnight
// (change 01 A001 and 02 A002), 3 on 2026-01-03 by another user (delete 02 A001), 4 on
// 2026-01-04 (import 01 A002).
class ChangeHistoryFilterTest : public ChangeHistoryTest {
protected:
    void SetUp() override {
        ChangeHistoryTest::SetUp();
        AddEntry(1, "2026-01-01 08:00:00", "demo", "add");
        AddValue(1, "01", "A001", "iTopSum", "", "1");
        AddEntry(2, "2026-01-02 23:59:59", "demo", "change");
        AddValue(2, "01", "A001", "iTopSum", "1", "2");
        AddValue(2, "02", "A002", "iSafeNum", "1", "2");
        AddEntry(3, "2026-01-03 00:00:00", "wang", "delete");
        AddValue(3, "02", "A001", "iTopSum", "3", "");
        AddEntry(4, "2026-01-04 09:00:00", "demo", "import");
        AddValue(4, "01", "A002", "iTopSum", "", "5");
        BindContext();
    }

    // "change warehouse item field" of each row the filter lets through, in the list's order.
    std::vector<std::string> Found(const ChangeHistoryFilter& filter) {
        std::vector<std::string> found;
        for (const ChangeHistoryEntry& entry : Read(filter)) {
            found.push_back(std::to_string(entry.change) + " " + entry.warehouseCode + " " +
                            entry.inventoryCode + " " + entry.field);
        }
        std::sort(found.rbegin(), found.rend());
        return found;
    }
};

TEST_F(ChangeHistoryFilterTest, EachFilterNarrowsTheList) {
    const struct {
        const char* name;
        ChangeHistoryFilter filter;
        std::vector<std::string> found;
    } cases[] = {
        {"all",
         {},
         {"4 01 A002 iTopSum", "3 02 A001 iTopSum", "2 02 A002 iSafeNum", "2 01 A001 iTopSum",
          "1 01 A001 iTopSum"}},
        {"warehouse", {.warehouse = "02"}, {"3 02 A001 iTopSum", "2 02 A002 iSafeNum"}},
        {"one row",
         {.warehouse = "01", .inventory = "A001"},
         {"2 01 A001 iTopSum", "1 01 A001 iTopSum"}},
        {"item",
         {.inventory = "A001"},
         {"3 02 A001 iTopSum", "2 01 A001 iTopSum", "1 01 A001 iTopSum"}},
        {"a day from its start to its end",
         {.from = "2026-01-02", .to = "2026-01-02"},
         {"2 02 A002 iSafeNum", "2 01 A001 iTopSum"}},
        {"from, in a form the host reads",
         {.from = "2026/1/3"},
         {"4 01 A002 iTopSum", "3 02 A001 iTopSum"}},
        {"to", {.to = "2026-01-01"}, {"1 01 A001 iTopSum"}},
        {"user", {.user = "wang"}, {"3 02 A001 iTopSum"}},
        {"field", {.field = "iSafeNum"}, {"2 02 A002 iSafeNum"}},
        {"field in another case", {.field = "ISAFENUM"}, {"2 02 A002 iSafeNum"}},
        {"kind", {.kind = "change"}, {"2 02 A002 iSafeNum", "2 01 A001 iTopSum"}},
        {"an import", {.kind = "import"}, {"4 01 A002 iTopSum"}},
        {"all together",
         {.warehouse = "01",
          .from = "2026-01-02",
          .user = "demo",
          .field = "iTopSum",
          .kind = "change"},
         {"2 01 A001 iTopSum"}},
        {"a date that is none", {.from = "2026-02-30"}, {}},
        {"a quote in a value", {.warehouse = "0'1"}, {}},
        {"a statement in a value", {.user = "x' or '1'='1"}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Found(c.filter), c.found) << c.name;
    }
}

TEST_F(ChangeHistoryFilterTest, AUserReadsTheHistoryOfTheRowsHeMayReadOnly) {
    ASSERT_TRUE(database.Execute(
        "update aa_rowauth_object set bControlled=1 where cBusObCode in ('Inventory', "
        "'Warehouse')"));
    ASSERT_TRUE(
        database.Execute("insert into aa_rowauth (cUserId, cBusObCode, cACCode, cRight) "
                         "values ('clerk', 'Inventory', 'A001', 'R'), "
                         "('clerk', 'Warehouse', '01', 'R')"));
    BindContext("clerk");
    EXPECT_EQ(Found({}), (std::vector<std::string>{"2 01 A001 iTopSum", "1 01 A001 iTopSum"}));
}

// Pages of the newest entries: an entry a page cuts off is read whole once, and the slices of a
// window add up to the whole list in its order, by entry or, over a date range, by time, which
// need not follow the entries' numbers.
TEST_F(ChangeHistoryTest, ALongHistoryComesWholeInOrderWhateverTheSlices) {
    const struct {
        const char* when;
        int rows;
    } entries[] = {
        {"2026-01-01 08:00:00", 1}, {"2026-01-01 09:00:00", 600},
        {"2026-01-01 09:00:00", 1}, {"2026-01-01 08:30:00", kChangeHistorySlice + 500},
        {"2026-01-01 10:00:00", 1}, {"2026-01-01 10:00:00", 2 * kChangeHistorySlice},
        {"2026-01-01 07:00:00", 3},
    };
    std::size_t total = 0;
    for (int change = 1; change <= static_cast<int>(std::size(entries)); ++change) {
        AddEntry(change, entries[change - 1].when, "demo", "change");
        AddValues(change, entries[change - 1].rows);
        total += static_cast<std::size_t>(entries[change - 1].rows);
    }
    BindContext();
    const struct {
        const char* order;
        ChangeHistoryFilter filter;
        std::vector<long long> entries;
    } orders[] = {
        {"by entry", {}, {7, 6, 5, 4, 3, 2, 1}},
        {"by entry in a warehouse",
         {.warehouse = "01", .from = "2026-01-01"},
         {7, 6, 5, 4, 3, 2, 1}},
        {"by time", {.from = "2026-01-01", .to = "2026-01-01"}, {6, 5, 3, 2, 4, 1, 7}},
    };
    for (const auto& order : orders) {
        const std::string query = ChangeHistoryQuery(context.login, order.filter);
        for (const std::size_t slice :
             {std::size_t{7}, kChangeHistorySlice, std::size_t{100'000}}) {
            ChangeHistoryReader reader(*context.login.db, query);
            std::vector<ChangeHistoryEntry> read;
            while (!reader.AtEnd()) {
                reader.ReadSome(slice, read);
            }
            EXPECT_FALSE(reader.Failed()) << order.order;
            ASSERT_EQ(read.size(), total) << order.order << ", slices of " << slice;
            std::set<std::string> keys;
            std::vector<long long> runs;
            for (const ChangeHistoryEntry& row : read) {
                keys.insert(std::to_string(row.change) + row.inventoryCode);
                if (runs.empty() || runs.back() != row.change) {
                    runs.push_back(row.change);
                }
            }
            EXPECT_EQ(keys.size(), total) << order.order << ", slices of " << slice;
            EXPECT_EQ(runs, order.entries) << order.order << ", slices of " << slice;
        }
    }
}

TEST_F(ChangeHistoryTest, AFailedQueryIsAFailureNotAnEmptyList) {
    BindContext();
    LoginContext broken = context.login;
    broken.sAuthWh = "(no_such_column=1)";
    bool ok = true;
    EXPECT_TRUE(ReadChangeHistory(*context.login.db, ChangeHistoryQuery(broken, {}), ok).empty());
    EXPECT_FALSE(ok);
}

TEST_F(ChangeHistoryTest, TheCellsShowValuesAsTheGridShowsTheirFields) {
    BindContext();
    const ChangeHistoryCaptions captions =
        ChangeHistoryCaptionsOf(*context.login.pub, *context.login.db);
    ASSERT_EQ(captions.columns.size(), 10u);
    const struct {
        const char* field;
        std::optional<std::string> value;
        std::string shown;
    } cases[] = {
        {"iTopSum", "12.3456780", "12.345678"},
        {"iLowSum", "100.000", "100"},
        {"iWastage", "0.000001", "0.000001"},
        {"iFrequency", "3", "3"},
        {"iSafeNum", std::nullopt, ""},
        {"cFrequency", "周", captions.units.at("周")},
        {"dLastDate", "2026-01-05", "2026-01-05"},
        {"cWhPersonCode", "P01", "P01"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShownValue(captions, c.field, c.value), c.shown) << c.field;
        EXPECT_NE(FieldCaptionOf(captions, c.field), "") << c.field;
    }

    const ChangeHistoryEntry outside{
        7,      "2026-01-02 10:00:00", "", "delete", "01", "成品库", "A001", "螺钉", "iTopSum",
        "1.50", std::nullopt};
    const zel::PrintData table = ChangeHistoryTable({outside}, captions);
    ASSERT_EQ(table.RowCount(), 1u);
    EXPECT_EQ(table.Cell(0, 1), captions.outsideUser);
    EXPECT_EQ(table.Cell(0, 2), captions.remove);
    EXPECT_EQ(table.Cell(0, 7), FieldCaptionOf(captions, "iTopSum"));
    EXPECT_EQ(table.Cell(0, 8), "1.5");
    EXPECT_EQ(table.Cell(0, 9), "");
}

// Every kind of entry is offered and shown by its caption.
TEST_F(ChangeHistoryTest, EachKindIsShownByItsCaption) {
    BindContext();
    const ChangeHistoryCaptions captions =
        ChangeHistoryCaptionsOf(*context.login.pub, *context.login.db);
    const std::vector<std::pair<std::string, std::string>> kinds = {
        {"add", "新增"}, {"change", "修改"}, {"delete", "删除"}, {"import", "导入"}};
    std::vector<std::pair<std::string, std::string>> offered;
    for (const ChangeKindChoice& choice : ChangeKindChoices(captions)) {
        offered.emplace_back(choice.kind, choice.caption);
    }
    EXPECT_EQ(offered, kinds);
    for (const auto& [kind, caption] : kinds) {
        ChangeHistoryEntry entry{.change = 1, .kind = kind, .field = "iTopSum"};
        EXPECT_EQ(ChangeHistoryTable({entry}, captions).Cell(0, 2), caption) << kind;
    }
}

TEST_F(ChangeHistoryTest, TheExportColumnsMatchTheTable) {
    BindContext();
    const auto columns = context.login.db->OpenX(ChangeHistoryColumnsQuery());
    ASSERT_NE(columns, nullptr) << context.login.db->LastError();
    EXPECT_EQ(columns->FieldCount(), 10);
    EXPECT_TRUE(columns->Eof());
}

// On the server the row policies hold whatever the program asks: a login who may read one
// warehouse reads its history only, even with the conditions of an administrator.
TEST_F(ChangeHistoryFilterTest, TheServerShowsAPlainLoginTheHistoryOfHisRowsOnly) {
    if (!database.OnServer()) {
        GTEST_SKIP() << "row policies are the server's; a SQLite file is its one user's";
    }
    zel::test::ServerRoles roles(database);
    std::string error;
    const auto secured = roles.SecureAccount(error);
    ASSERT_TRUE(secured) << error;
    const std::string clerk = roles.AddLogin("clerk", {secured->users});
    ASSERT_TRUE(database.Execute("insert into aa_user values ('" + clerk + "', 'clerk', 0)"));
    ASSERT_TRUE(database.Execute("insert into aa_rowauth values ('" + clerk +
                                 "', 'Warehouse', '02', 'R')"));
    zel::test::ServerSession session(roles.ConninfoOf(clerk));
    EXPECT_EQ(session.Column("select distinct cWhCode from whinv_change_value"),
              (std::vector<std::string>{"02"}));
    EXPECT_EQ(session.Column("select iChange from whinv_change order by iChange"),
              (std::vector<std::string>{"2", "3"}));
    EXPECT_FALSE(session.Run("delete from whinv_change_value").ok);
    EXPECT_FALSE(session.Run("update whinv_change set cUser='x'").ok);
}

}  // namespace
}  // namespace korvel
