#include "db/demo/demo_data_generator.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "host/database/account_database.h"
#include "host/database/single_value.h"
#include "host/database/sqlite/sqlite_backend.h"
#include "support/test_database.h"

namespace zel::demo {
namespace {

namespace fs = std::filesystem;

class TempFolder {
public:
    TempFolder() {
        static int made = 0;
        path_ = fs::temp_directory_path() /
                ("whinv-demo-test-" + std::to_string(getpid()) + "-" + std::to_string(++made));
        fs::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }
    std::size_t Entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(path_), {}));
    }

private:
    fs::path path_;
};

DemoOutcome Build(const std::string& file, std::int64_t rows, std::int64_t items, int warehouses,
                  std::uint64_t seed = 1, bool force = false) {
    DemoOptions options;
    options.output = file;
    options.rows = rows;
    options.items = items;
    options.warehouses = warehouses;
    options.seed = seed;
    options.force = force;
    return DemoDataGenerator(options).Generate();
}

std::string Contents(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string Text(SqliteBackend& connection, const std::string& sql) {
    const auto value = ReadSingleValue(connection, sql, {}).value;
    const bool text = value && !value->IsNull();
    EXPECT_TRUE(text) << sql << ": " << connection.LastError();
    return text ? value->ToString() : std::string();
}

std::int64_t Number(SqliteBackend& connection, const std::string& sql) {
    return std::stoll("0" + Text(connection, sql));
}

// Every row of the data tables, in a fixed order, as one text.
std::string Dump(const std::string& file) {
    SqliteBackend connection;
    EXPECT_TRUE(connection.Open(file));
    std::string dump;
    for (const char* sql :
         {"select group_concat(quote(cWhCode) || quote(cWhName) || quote(cWhPerson), '|') "
          "from (select * from Warehouse order by cWhCode)",
          "select group_concat(quote(cInvCode) || quote(cInvName) || quote(cDefWareHouse) || "
          "quote(iTopSum) || quote(cFrequency) || quote(iDays) || quote(dEDate), '|') "
          "from (select * from Inventory order by iId)",
          "select group_concat(quote(cWhCode) || quote(cInvCode) || quote(iTopSum) || "
          "quote(iLowSum) || quote(iDays) || quote(dLastDate) || quote(cWhPersonCode), '|') "
          "from (select * from WhInvContrapose order by rowid)"}) {
        dump += Text(connection, sql) + "\n";
    }
    return dump;
}

// One small database, built once, that the content tests read.
class DemoDatabaseContent : public testing::Test {
protected:
    static constexpr std::int64_t kRows = 900;
    static constexpr std::int64_t kItems = 120;
    static constexpr int kWarehouses = 7;

    static void SetUpTestSuite() {
        folder_ = new TempFolder;
        outcome_ = Build(folder_->File("demo.db"), kRows, kItems, kWarehouses, 11);
    }
    static void TearDownTestSuite() {
        delete folder_;
        folder_ = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(outcome_.Ok()) << outcome_.detail;
        ASSERT_TRUE(db_.Open(folder_->File("demo.db")));
    }

    std::int64_t Count(const std::string& sql) { return Number(db_, sql); }

    static TempFolder* folder_;
    static DemoOutcome outcome_;
    SqliteBackend db_;
};

TempFolder* DemoDatabaseContent::folder_ = nullptr;
DemoOutcome DemoDatabaseContent::outcome_;

TEST_F(DemoDatabaseContent, HoldsTheAskedSizesAndReportsThem) {
    const std::int64_t largestShare = (kRows + kWarehouses - 1) / kWarehouses;
    EXPECT_EQ(Count("select count(*) from Warehouse"), kWarehouses);
    EXPECT_EQ(Count("select count(*) from WhInvContrapose"), kRows);
    EXPECT_EQ(Count("select count(*) from Inventory"), std::max(kItems, largestShare));
    EXPECT_EQ(Count("select count(*) from InventoryClass"), outcome_.summary.classes);
    // The generated rows are where the file starts, no change of anyone's.
    EXPECT_EQ(Count("select count(*) from whinv_change"), 0);
    EXPECT_EQ(Count("select count(*) from whinv_change_value"), 0);
    EXPECT_EQ(outcome_.summary.warehouses, kWarehouses);
    EXPECT_EQ(outcome_.summary.rows, kRows);
    EXPECT_EQ(Count("select count(*) from Inventory"), outcome_.summary.items);
    EXPECT_GE(Count("select count(*) from Person"), 5);
    EXPECT_GE(Count("select count(*) from computationGroup"), 3);
    // The account settings of the host come along.
    EXPECT_EQ(Count("select count(*) from aa_columndic where ckey = 'Inventory'"), 11);
    EXPECT_EQ(Text(db_, "select cValue from AccInformation where cName = 'iStrsQuanDecDgt'"), "2");
}

// The history triggers are away only while the rows go in: the file records the first change
// of anyone's as a new account does, and holds no pages of history written and thrown away.
TEST_F(DemoDatabaseContent, KeepsTheHistoryTriggersOfANewAccountAndNoFreePages) {
    const std::string triggers =
        "select group_concat(name || ':' || sql, '|') from (select name, sql from sqlite_master "
        "where type = 'trigger' order by name)";
    const std::string fresh = folder_->File("fresh.db");
    std::string error;
    ASSERT_TRUE(CreateAccountDatabase(fresh, error)) << error;
    SqliteBackend account;
    ASSERT_TRUE(account.Open(fresh));
    EXPECT_NE(Text(db_, triggers).find("WhInvContrapose_history_add"), std::string::npos);
    EXPECT_EQ(Text(db_, triggers), Text(account, triggers));
    EXPECT_EQ(Count("pragma freelist_count"), 0);
}

TEST_F(DemoDatabaseContent, EveryWarehouseHoldsAnItemOnceAndEveryCodeResolves) {
    EXPECT_EQ(Count("select count(*) from (select distinct cWhCode, cInvCode from "
                    "WhInvContrapose)"),
              kRows);
    EXPECT_EQ(Count("select count(*) from WhInvContrapose w left join Inventory i on "
                    "w.cInvCode = i.cInvCode left join Warehouse h on w.cWhCode = h.cWhCode "
                    "where i.cInvCode is null or h.cWhCode is null"),
              0);
    EXPECT_EQ(Count("select count(*) from WhInvContrapose w left join Person p on "
                    "w.cWhPersonCode = p.cPersonCode where w.cWhPersonCode is not null and "
                    "p.cPersonCode is null"),
              0);
    EXPECT_EQ(Count("select count(*) from Inventory i left join ComputationUnit u on "
                    "i.cComUnitCode = u.cComUnitCode where u.cGroupCode is null or "
                    "u.cGroupCode <> i.cGroupCode"),
              0);
    EXPECT_EQ(Count("select count(*) from Inventory i left join Warehouse h on "
                    "i.cDefWareHouse = h.cWhCode where i.cDefWareHouse is not null and "
                    "h.cWhCode is null"),
              0);
}

TEST_F(DemoDatabaseContent, ClassCodesFollowTheCodingRule) {
    ASSERT_EQ(Text(db_, "select CODINGRULE from GradeDef where KeyWord = 'InventoryClass'"), "223");
    EXPECT_EQ(Count("select count(*) from InventoryClass where length(cInvCCode) <> "
                    "case iInvCGrade when 1 then 2 when 2 then 4 when 3 then 7 end "
                    "or cInvCCode glob '*[^0-9]*'"),
              0);
    EXPECT_GT(Count("select count(*) from InventoryClass where iInvCGrade = 3"), 0);
    // Every class below the first level hangs under an existing class of the level above.
    EXPECT_EQ(Count("select count(*) from InventoryClass c where iInvCGrade > 1 and not exists "
                    "(select 1 from InventoryClass p where p.iInvCGrade = c.iInvCGrade - 1 and "
                    "p.cInvCCode = substr(c.cInvCCode, 1, length(p.cInvCCode)))"),
              0);
    EXPECT_EQ(Count("select count(*) from InventoryClass where bInvCEnd <> (iInvCGrade = 3)"), 0);
    EXPECT_EQ(Count("select count(*) from Inventory i left join InventoryClass c on "
                    "i.cInvCCode = c.cInvCCode where c.bInvCEnd is not 1"),
              0);
}

TEST_F(DemoDatabaseContent, CycleDaysFitTheirUnitInItemsAndRows) {
    for (const char* table : {"Inventory", "WhInvContrapose"}) {
        SCOPED_TRACE(table);
        const std::string from = std::string(" from ") + table;
        EXPECT_EQ(Count("select count(*)" + from +
                        " where (cFrequency = '天' and iDays is not null)"
                        " or (cFrequency = '周' and (iDays is null or iDays not between 1 and 7))"
                        " or (cFrequency = '月' and (iDays is null or iDays not between 1 and 31))"
                        " or (cFrequency is null and (iDays is not null or iFrequency is not null))"
                        " or (cFrequency is not null and (iFrequency is null or iFrequency < 1))"
                        " or cFrequency not in ('天', '周', '月')"),
                  0);
        EXPECT_EQ(Count("select count(distinct cFrequency)" + from), 3);
        EXPECT_GT(Count("select count(*)" + from + " where cFrequency is null"), 0);
        EXPECT_EQ(Count("select count(*)" + from +
                        " where dLastDate is not date(dLastDate) and dLastDate is not null"),
                  0);
    }
}

TEST_F(DemoDatabaseContent, StockLimitsKeepTheirOrderAndSomeAreEmpty) {
    for (const char* table : {"Inventory", "WhInvContrapose"}) {
        SCOPED_TRACE(table);
        const std::string from = std::string(" from ") + table;
        EXPECT_EQ(Count("select count(*)" + from +
                        " where iLowSum > iSafeNum or iSafeNum > iTopSum or iLowSum > iTopSum"
                        " or iWastage <= 0 or iWastage > 100 or iLowSum < 0"),
                  0);
        EXPECT_GT(Count("select count(*)" + from + " where iTopSum is null"), 0);
        EXPECT_GT(Count("select count(*)" + from + " where iTopSum is not null"), 0);
    }
    EXPECT_GT(Count("select count(*) from WhInvContrapose where cWhPersonCode is null"), 0);
}

TEST_F(DemoDatabaseContent, PartOfTheItemsCarryDefaultsOwnSettingsAndEndDates) {
    const std::int64_t items = Count("select count(*) from Inventory");
    for (const char* part : {"cDefWareHouse is not null", "cFrequency is not null",
                             "dEDate is not null", "cInvAddCode is not null"}) {
        const std::int64_t some =
            Count(std::string("select count(*) from Inventory where ") + part);
        EXPECT_GT(some, 0) << part;
        EXPECT_LT(some, items) << part;
    }
    EXPECT_EQ(Count("select count(*) from Inventory where dEDate >= '2023-01-01' or dEDate < "
                    "dSDate"),
              0);
}

TEST_F(DemoDatabaseContent, CodesThatBreakQuotedSqlAreThere) {
    EXPECT_EQ(Text(db_, "select cWhName from Warehouse where cWhCode = 'O''K1'"),
              "O'Brien's Depot");
    EXPECT_EQ(Count("select count(*) from Warehouse where cWhCode = 'R&D-01'"), 1);
    EXPECT_EQ(Text(db_, "select cInvName from Inventory where cInvCode = 'BOLT''M8'"),
              "不锈钢螺栓 M8×30");
    EXPECT_EQ(Count("select count(*) from Person where cPersonCode = 'P''01'"), 1);
    EXPECT_EQ(Count("select count(*) from WhInvContrapose where cWhCode = 'O''K1' and "
                    "cInvCode = 'BOLT''M8'"),
              1);
    EXPECT_GT(Count("select count(*) from WhInvContrapose where cWhPersonCode = 'P''01'"), 0);
}

TEST_F(DemoDatabaseContent, UsersSeeWarehousesThroughTheirGrants) {
    const std::string grants =
        "select count(*) from aa_rowauth where cBusObCode = 'Warehouse' and cUserId = ";
    const std::int64_t reads = Count(grants + "'wang'");
    const std::int64_t writes = Count(grants + "'wang' and cRight = 'W'");
    EXPECT_GT(writes, 0);
    EXPECT_LT(writes, reads);
    EXPECT_LT(reads, kWarehouses);
    EXPECT_EQ(Count(grants + "'wang' and cACCode = 'O''K1'"), 1);
    EXPECT_EQ(Count(grants + "'guest'"), 0);
    EXPECT_EQ(Count("select count(*) from aa_user where cUserId = 'guest' and bAdmin = 0"), 1);
    EXPECT_EQ(Count("select count(*) from aa_user where cUserId = 'demo' and bAdmin = 1"), 1);
    EXPECT_EQ(Count("select bControlled from aa_rowauth_object where cBusObCode = 'Warehouse'"), 1);
    EXPECT_EQ(Count("select count(*) from aa_rowauth r left join Warehouse w on "
                    "r.cACCode = w.cWhCode where w.cWhCode is null"),
              0);
}

TEST(DemoDataGenerator, ScalesItemsSoThatNoWarehouseRepeatsAnItem) {
    TempFolder folder;
    const auto outcome = Build(folder.File("dense.db"), 400, 10, 4);
    ASSERT_TRUE(outcome.Ok()) << outcome.detail;
    EXPECT_EQ(outcome.summary.items, 100);
    SqliteBackend db;
    ASSERT_TRUE(db.Open(folder.File("dense.db")));
    EXPECT_EQ(Number(db,
                     "select count(*) from (select distinct cWhCode, cInvCode from "
                     "WhInvContrapose)"),
              400);
    EXPECT_EQ(Number(db,
                     "select count(distinct cInvCode) from WhInvContrapose "
                     "where cWhCode = '01'"),
              100);
}

TEST(DemoDataGenerator, KeepsAnExistingFileUnlessForced) {
    TempFolder folder;
    const std::string file = folder.File("account.db");
    ASSERT_TRUE(Build(file, 50, 20, 3).Ok());
    const std::string first = Contents(file);

    const auto refused = Build(file, 60, 20, 3, 2);
    EXPECT_EQ(refused.failure, DemoFailure::TargetExists);
    EXPECT_EQ(refused.detail, file);
    EXPECT_EQ(Contents(file), first);

    ASSERT_TRUE(Build(file, 60, 20, 3, 2, true).Ok());
    // Before an open connection puts its write-ahead log beside the file.
    EXPECT_EQ(folder.Entries(), 1u);  // nothing left beside it
    SqliteBackend db;
    ASSERT_TRUE(db.Open(file));
    EXPECT_EQ(Number(db, "select count(*) from WhInvContrapose"), 60);
}

// On one machine a file's permissions keep other users out of the account: a built file is its
// owner's alone, a forced rebuild's too.
TEST(DemoDataGenerator, TheBuiltFileIsItsOwnersAlone) {
    TempFolder folder;
    const std::string file = folder.File("account.db");
    const auto ownerOnly = fs::perms::owner_read | fs::perms::owner_write;
    ASSERT_TRUE(Build(file, 5, 3, 2).Ok());
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, ownerOnly);
    fs::permissions(file, fs::perms::group_read | fs::perms::others_read, fs::perm_options::add);
    ASSERT_TRUE(Build(file, 5, 3, 2, 1, true).Ok());
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, ownerOnly);
}

// On a server the login is the user: whoever fills the account can open it as themselves.
TEST(DemoDataGenerator, TheLoginThatFillsAServerAccountIsItsAdministrator) {
    test::TestDatabase db;
    if (!db.OnServer()) {
        GTEST_SKIP() << "a SQLite file has no login";
    }
    ASSERT_TRUE(db.Execute("update aa_user set bAdmin = 0 where cUserId = session_user"));
    DemoOptions options;
    options.output = "postgresql:" + db.Path();
    options.rows = 5;
    options.items = 3;
    options.warehouses = 2;
    const auto outcome = DemoDataGenerator(options).Generate();
    ASSERT_TRUE(outcome.Ok()) << outcome.detail;
    EXPECT_EQ(db.Scalar("select bAdmin from aa_user where cUserId = session_user").ToString(), "1");
    EXPECT_EQ(db.Scalar("select bAdmin from aa_user where cUserId = 'demo'").ToString(), "1");
}

// Every row a query gives, its values as text, one row a line.
std::vector<std::string> Rows(SqlBackend& backend, const std::string& sql) {
    std::vector<std::string> rows;
    const auto statement = backend.Prepare(sql);
    EXPECT_TRUE(statement) << sql << ": " << backend.LastError();
    while (statement && statement->Step() == StepResult::Row) {
        std::string row;
        for (int column = 0; column < statement->ColumnCount(); ++column) {
            const Variant value = statement->ColumnValue(column);
            row += (value.IsNull() ? std::string("<null>") : value.ToString()) + "|";
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

// Two tables hold the same rows; a failure shows the first row where they part, not thousands.
void ExpectSameRows(std::vector<std::string> actual, std::vector<std::string> expected,
                    const std::string& what) {
    std::sort(actual.begin(), actual.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(actual.size(), expected.size()) << what;
    const auto parted =
        std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    if (parted.first != actual.end() && parted.second != expected.end()) {
        EXPECT_EQ(*parted.first, *parted.second) << what;
    }
}

// A server takes its rows a statement of many at a time, a file one at a time: the account is the
// same, row for row, the last statement's short remainder included, and it starts without
// history, as a file does, while every write after the build is recorded.
TEST(DemoDataGenerator, AServerAccountHoldsWhatAFileOfTheSameSeedHolds) {
    test::TestDatabase db;
    if (!db.OnServer()) {
        GTEST_SKIP() << "compares a server account with a file";
    }
    TempFolder folder;
    // More rows and items than one statement takes, and a remainder of each.
    constexpr std::int64_t kRows = 2345;
    constexpr std::int64_t kItems = 1234;
    ASSERT_TRUE(Build(folder.File("seed.db"), kRows, kItems, 5, 7).Ok());
    // The account's history holds an entry before a forced build, which throws it away with the
    // rows it tells of.
    ASSERT_TRUE(Build("postgresql:" + db.Path(), 10, 5, 2, 3).Ok());
    ASSERT_TRUE(db.Execute("update WhInvContrapose set iTopSum = 5"));
    ASSERT_NE(db.Scalar("select count(*) from whinv_change").ToString(), "0");
    const auto outcome = Build("postgresql:" + db.Path(), kRows, kItems, 5, 7, true);
    ASSERT_TRUE(outcome.Ok()) << outcome.detail;

    SqliteBackend file;
    ASSERT_TRUE(file.Open(folder.File("seed.db")));
    const auto server = db.OpenBackend();
    const std::string items =
        "select iId, cInvCode, cInvAddCode, cInvName, cInvStd, cInvCCode, cGroupCode, "
        "cComUnitCode, cDefWareHouse, iTopSum, iLowSum, iSafeNum, iWastage, iFrequency, "
        "cFrequency, iDays, dLastDate, dSDate, dEDate from Inventory";
    const std::string rows =
        "select cWhCode, cInvCode, iTopSum, iLowSum, iSafeNum, iWastage, iFrequency, cFrequency, "
        "iDays, dLastDate, cWhPersonCode, cCreatePerson from WhInvContrapose";
    const auto fileItems = Rows(file, items);
    const auto fileRows = Rows(file, rows);
    ASSERT_EQ(fileRows.size(), static_cast<std::size_t>(kRows));
    ASSERT_EQ(fileItems.size(), static_cast<std::size_t>(kItems));
    ExpectSameRows(Rows(*server, items), fileItems, "Inventory");
    ExpectSameRows(Rows(*server, rows), fileRows, "WhInvContrapose");
    for (const char* reference :
         {"select cWhCode, cWhName, cWhAddress, cWhPerson from Warehouse",
          "select cPersonCode, cPersonName, cDepCode from Person",
          "select cInvCCode, cInvCName, iInvCGrade, bInvCEnd from InventoryClass",
          "select cUserId, cACCode, cRight from aa_rowauth"}) {
        ExpectSameRows(Rows(*server, reference), Rows(file, reference), reference);
    }

    EXPECT_EQ(db.Scalar("select count(*) from whinv_change").ToString(), "0");
    EXPECT_EQ(db.Scalar("select count(*) from whinv_change_value").ToString(), "0");
    ASSERT_TRUE(
        db.Execute("insert into WhInvContrapose (cWhCode, cInvCode) select '01', "
                   "cInvCode from Inventory where cInvCode not in (select cInvCode "
                   "from WhInvContrapose where cWhCode = '01') limit 1"));
    EXPECT_EQ(db.Scalar("select count(*) from whinv_change where cKind = 'add'").ToString(), "1");
}

TEST(DemoDataGenerator, AFailedBuildLeavesNothingBehind) {
    TempFolder folder;
    const auto missingFolder = Build(folder.File("no/such/folder.db"), 10, 10, 2);
    EXPECT_EQ(missingFolder.failure, DemoFailure::CannotCreate);
    const auto badSize = Build(folder.File("none.db"), 10, 10, 0);
    EXPECT_EQ(badSize.failure, DemoFailure::BadSize);
    EXPECT_EQ(folder.Entries(), 0u);
}

TEST(DemoDataGenerator, TheSameSeedBuildsTheSameData) {
    TempFolder folder;
    ASSERT_TRUE(Build(folder.File("a.db"), 300, 60, 5, 99).Ok());
    ASSERT_TRUE(Build(folder.File("b.db"), 300, 60, 5, 99).Ok());
    ASSERT_TRUE(Build(folder.File("c.db"), 300, 60, 5, 100).Ok());
    EXPECT_EQ(Dump(folder.File("a.db")), Dump(folder.File("b.db")));
    EXPECT_NE(Dump(folder.File("a.db")), Dump(folder.File("c.db")));
}

TEST(DemoDataGenerator, TinyAccountsStillHaveAnOrdinaryWarehouse) {
    for (const int warehouses : {1, 2, 3}) {
        TempFolder folder;
        const auto outcome = Build(folder.File("tiny.db"), 5, 3, warehouses);
        ASSERT_TRUE(outcome.Ok()) << outcome.detail;
        SqliteBackend db;
        ASSERT_TRUE(db.Open(folder.File("tiny.db")));
        EXPECT_EQ(Number(db, "select count(*) from Warehouse"), warehouses);
        EXPECT_EQ(Text(db, "select min(cWhCode) from Warehouse"), "01");
        EXPECT_EQ(Number(db, "select count(*) from WhInvContrapose"), 5);
    }
}

}  // namespace
}  // namespace zel::demo
