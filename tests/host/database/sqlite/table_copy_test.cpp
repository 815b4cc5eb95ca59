#include "host/database/sqlite/table_copy.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QTemporaryDir>
#include <algorithm>
#include <cstring>
#include <map>
#include <sstream>
#include <vector>

#include "tests/host/database/sqlite/earlier_schema_files.h"

namespace zel {
namespace {

using earlier_schema_files::FirstSchema;
using earlier_schema_files::OpenWithTheHost;
using earlier_schema_files::PlainConnection;

// Another program's own collation of that name, which compared codes exactly: its writes hold
// codes that differ only by letter case or trailing blanks.
int CompareExactly(void*, int leftLength, const void* left, int rightLength, const void* right) {
    const int common = std::memcmp(left, right, std::min(leftLength, rightLength));
    return common != 0 ? common : leftLength - rightLength;
}

// Many good rows of every kind the first schema held: integers and reals, no values, dates,
// every cycle unit with and without a day, storekeepers and none.
constexpr const char* kGoodRows = R"sql(
insert into Warehouse (cWhCode, cWhName)
    with recursive n(i) as (select 1 union all select i + 1 from n where i < 20)
    select printf('W%02d', i), '仓库' || i from n;
insert into Person (cPersonCode, cPersonName) values ('P01', '张三'), ('P02', '李四');
insert into Inventory (iId, cInvCode, cInvName)
    with recursive n(i) as (select 1 union all select i + 1 from n where i < 100)
    select i, printf('I%04d', i), '物料' || i from n;
insert into Inventory (iId, cInvCode, cInvName)
    with recursive n(i) as (select 1 union all select i + 1 from n where i < 20)
    select 200 + i, printf('B%02d', i), '备件' || i from n;
insert into WhInvContrapose (cWhCode, cInvCode, iTopSum, iLowSum, iSafeNum, iWastage,
        iFrequency, cFrequency, iDays, dLastDate, cWhPersonCode, cCreatePerson, dModifyDate)
    select w.cWhCode, i.cInvCode,
        case i.iId % 3 when 0 then i.iId * 10 when 1 then i.iId + 0.25 end,
        i.iId % 7, null, 0.5,
        case when i.iId % 4 <> 3 then 1 + i.iId % 5 end,
        case i.iId % 4 when 0 then '天' when 1 then '周' when 2 then '月' end,
        case i.iId % 4 when 1 then 1 + i.iId % 7 when 2 then 1 + i.iId % 31 end,
        case when i.iId % 5 <> 0 then date('2024-01-01', '+' || (i.iId * 3) || ' days') end,
        case when i.iId % 2 = 0 then 'P01' end, 'demo', '2024-06-01 10:00:00'
    from Warehouse w cross join Inventory i where i.cInvCode like 'I%';
)sql";

struct RefusedRow {
    const char* table;
    const char* values;  // of the insert into the table
    const char* rule;
};

// Each kind of row the current rules refuse, and the rule named for it: where a row breaks
// several, the first the schema declares (a column's reference comes before the table's checks).
const RefusedRow kRefusedRows[] = {
    {"WhInvContrapose", "(cWhCode, cInvCode, iTopSum) values ('W01', 'B01', 'abc')",
     "not_a_number"},
    {"WhInvContrapose",
     "(cWhCode, cInvCode, iFrequency, cFrequency) values ('W01', 'B02', '3x', '天')",
     "not_a_number"},
    {"WhInvContrapose", "(cWhCode, cInvCode, dLastDate) values ('W01', 'B03', '2024-02-30')",
     "not_a_date"},
    {"WhInvContrapose", "(cWhCode, cInvCode, dLastDate) values ('W01', 'B04', 20240301)",
     "not_a_date"},
    {"WhInvContrapose",
     "(cWhCode, cInvCode, iFrequency, cFrequency) values ('W01', 'B05', 1, '年')", "bad_frequency"},
    {"WhInvContrapose",
     "(cWhCode, cInvCode, iFrequency, cFrequency, iDays) values ('W01', 'B06', 1, '天', 3)",
     "days_not_allowed"},
    {"WhInvContrapose",
     "(cWhCode, cInvCode, iFrequency, cFrequency, iDays) values ('W01', 'B07', 1, '周', 8)",
     "bad_days_week"},
    {"WhInvContrapose",
     "(cWhCode, cInvCode, iFrequency, cFrequency, iDays) values ('W01', 'B08', 1, '月', 32)",
     "bad_days_month"},
    {"WhInvContrapose", "(cWhCode, cInvCode) values ('', 'B09')", "empty_whcode"},
    {"WhInvContrapose", "(cWhCode, cInvCode) values ('W01', '')", "missing_reference"},
    {"WhInvContrapose", "(cWhCode, cInvCode) values ('W99', 'B10')", "missing_reference"},
    {"WhInvContrapose", "(cWhCode, cInvCode) values ('W01', 'GONE')", "missing_reference"},
    {"WhInvContrapose", "(cWhCode, cInvCode, cWhPersonCode) values ('W01', 'B11', 'P99')",
     "missing_reference"},
    {"WhInvContrapose", "(cWhCode, cInvCode, iTopSum) values ('W98', 'B13', 'abc')",
     "missing_reference"},
    {"WhInvContrapose",
     "(cWhCode, cInvCode, iTopSum, cFrequency, iDays) values ('W01', 'B14', 'x', '周', 9)",
     "not_a_number"},
    {"WhInvContrapose", "(cWhCode, cInvCode, iTopSum) values ('w02 ', 'I0001', 5)",
     "duplicate_key"},
    {"WhInvContrapose", "(cWhCode, cInvCode, iTopSum) values ('W03', 'i0002', 6)", "duplicate_key"},
    // Its warehouse is set aside itself.
    {"WhInvContrapose", "(cWhCode, cInvCode) values ('W30', 'B12')", "missing_reference"},
    {"Warehouse", "(cWhCode, cWhName) values ('W30', null)", "missing_value"},
    {"Warehouse", "(cWhCode, cWhName) values ('w04', '重复')", "duplicate_key"},
    {"Warehouse", "(cWhCode, cWhName) values ('W05  ', '重复')", "duplicate_key"},
    {"Inventory", "(iId, cInvCode, cInvName) values (500, 'i0050 ', '重复')", "duplicate_key"},
    {"Person", "(cPersonCode, cPersonName) values ('p01', '重复')", "duplicate_key"},
};

// The rows of a table, each value of the columns of table quoted as SQL writes it (so that its
// type shows), sorted. from may be another table holding those columns, and more.
std::vector<std::string> QuotedRows(PlainConnection& connection, const std::string& table,
                                    const std::string& where = "1", const std::string& from = {},
                                    const std::string& extra = {}) {
    std::string columns;
    std::istringstream names(
        connection.Rows("select name from pragma_table_info('" + table + "') order by cid"));
    for (std::string name; std::getline(names, name);) {
        columns += (columns.empty() ? "" : " || ',' || ") + std::string("quote(") + name + ")";
    }
    std::vector<std::string> rows;
    std::istringstream lines(connection.Rows("select " + columns + extra + " from " +
                                             (from.empty() ? table : from) + " where " + where));
    for (std::string line; std::getline(lines, line);) {
        rows.push_back(line);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

const char* const kTables[] = {"Warehouse", "Person", "Inventory", "WhInvContrapose"};

// A file of the first schema that other programs wrote to: one made its Warehouse table without
// requiring a name, and their collation compared codes exactly.
class SetAsideOnUpgradeTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.path().toStdString() + "/first.db";
        PlainConnection first(path);
        sqlite3_create_collation(first.Handle(), "hosttext", SQLITE_UTF8, nullptr, CompareExactly);
        std::string schema = FirstSchema();
        const std::string name = "cWhName varchar(50) collate hosttext not null";
        schema.replace(schema.find(name), name.size(), "cWhName varchar(50) collate hosttext");
        ASSERT_TRUE(first.Execute(schema + kGoodRows +
                                  "insert into Warehouse (cWhCode, cWhName) values ('', '空');"))
            << sqlite3_errmsg(first.Handle());
        for (const auto& table : kTables) {
            goodRows[table] = QuotedRows(first, table);
        }
        for (const auto& row : kRefusedRows) {
            ASSERT_TRUE(first.Execute(std::string("insert into ") + row.table + " " + row.values))
                << row.values << ": " << sqlite3_errmsg(first.Handle());
            const auto inserted =
                QuotedRows(first, row.table,
                           "rowid = " + std::to_string(sqlite3_last_insert_rowid(first.Handle())));
            ASSERT_EQ(inserted.size(), 1u) << row.values;
            setAside[row.table].push_back(inserted.front() + "|" + row.rule);
        }
        for (auto& [table, rows] : setAside) {
            std::sort(rows.begin(), rows.end());
        }
    }

    QTemporaryDir dir;
    std::string path;
    std::map<std::string, std::vector<std::string>> goodRows;
    std::map<std::string, std::vector<std::string>> setAside;
};

TEST_F(SetAsideOnUpgradeTest, KeepsTheGoodRowsExactlyAndSetsTheOthersAsideWithTheirRule) {
    std::string error;
    ASSERT_TRUE(OpenWithTheHost(path, error)) << error;
    PlainConnection upgraded(path);
    EXPECT_EQ(upgraded.Rows("pragma integrity_check"), "ok\n");
    EXPECT_EQ(upgraded.Rows("pragma foreign_key_check"), "");
    for (const auto& table : kTables) {
        const auto kept = QuotedRows(upgraded, table);
        EXPECT_TRUE(kept == goodRows[table])
            << table << ": " << kept.size() << " rows kept of " << goodRows[table].size();
        const std::string side = std::string(table) + "_set_aside";
        EXPECT_EQ(QuotedRows(upgraded, table, "1", side, " || '|' || cSetAsideReason"),
                  setAside[table])
            << table;
        EXPECT_EQ(upgraded.Rows("select count(*) from " + side +
                                " where iSetAsideFrom is not 0 or dSetAside not glob "
                                "'[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] "
                                "[0-9][0-9]:[0-9][0-9]:[0-9][0-9]'"),
                  "0\n")
            << table;
    }
    EXPECT_EQ(upgraded.Rows("select iOne, iRows from whinv_set_aside_notice"),
              "1|" + std::to_string(std::size(kRefusedRows)) + "\n");
    // The file opens again as it is.
    ASSERT_TRUE(OpenWithTheHost(path, error)) << error;
}

}  // namespace
}  // namespace zel
