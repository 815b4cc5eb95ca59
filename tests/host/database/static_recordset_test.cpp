#include "host/database/static_recordset.h"

#include <gtest/gtest.h>

#include <memory>

#include <limits>

#include "host/database/sql_backend.h"
#include "support/test_database.h"

namespace zel {
namespace {

class StaticRecordsetTest : public ::testing::Test {
protected:
    std::shared_ptr<StaticRecordset> Read(const std::string& sql) {
        auto statement = backend.Prepare(sql);
        EXPECT_TRUE(statement) << backend.LastError();
        return StaticRecordset::Open(std::move(statement), nullptr);
    }

    // Rows 1..count of one column "i", read lazily; each end of the read goes to finishedWith.
    std::shared_ptr<StaticRecordset> OpenNumbers(int count, const std::string& cell = "i") {
        const std::string sql =
            "with recursive k(i) as (select 1 union all select i+1 from k where i<" +
            std::to_string(count) + ") select " + cell + " as i from k";
        return StaticRecordset::Open(backend.Prepare(sql),
                                     [this](long rows) { finishedWith.push_back(rows); });
    }

    test::TestDatabase db;
    std::unique_ptr<SqlBackend> opened = db.OpenBackend();
    SqlBackend& backend = *opened;
    std::vector<long> finishedWith;
};

TEST_F(StaticRecordsetTest, ValuesKeepTheirTypesAndNullIsNotEmpty) {
    const std::int64_t big = std::numeric_limits<std::int64_t>::max();
    const std::int64_t small = std::numeric_limits<std::int64_t>::min();
    auto rows = Read("select 0, -1, 127, 128, -129, 70000, " + std::to_string(big) + ", " +
                     std::to_string(small) + ", 1.25, '', null, '仓库'");
    ASSERT_TRUE(rows);
    const Variant expected[] = {Variant(0),    Variant(-1),    Variant(127), Variant(128),
                                Variant(-129), Variant(70000), Variant(big), Variant(small),
                                Variant(1.25), Variant(""),    Variant(),    Variant("仓库")};
    ASSERT_EQ(rows->FieldCount(), 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(*rows->Fields(i), expected[i]) << i;
    }
}

// Rows of every size: their cell offsets take 1, 2 or 4 bytes, the biggest fills blocks of its own.
TEST_F(StaticRecordsetTest, RowsOfEverySizeReadBack) {
    const int sizes[] = {0, 100, 300, 70'000, 3'000'000, 10};
    std::string sql;
    for (const int size : sizes) {
        sql += std::string(sql.empty() ? "" : " union all ") + "select " + std::to_string(size) +
               (db.OnServer() ? ", repeat('0', " + std::to_string(size) + ")"
                              : ", hex(zeroblob(" + std::to_string(size / 2) + "))") +
               ", 0.1, -7, null";
    }
    auto rows = Read(sql);
    ASSERT_TRUE(rows);
    for (const int size : sizes) {
        ASSERT_FALSE(rows->Eof());
        EXPECT_EQ(*rows->Fields(0), Variant(size));
        EXPECT_EQ(rows->Fields(1)->ToString(), std::string(static_cast<std::size_t>(size), '0'));
        EXPECT_EQ(*rows->Fields(2), Variant(0.1));
        EXPECT_EQ(*rows->Fields(3), Variant(-7));
        EXPECT_TRUE(rows->Fields(4)->IsNull());
        rows->MoveNext();
    }
    EXPECT_TRUE(rows->Eof());
}

TEST_F(StaticRecordsetTest, MovesThroughAllRowsAndBackToTheFirst) {
    auto rows = Read("select 'a' as c union all select 'b' union all select 'c'");
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->RecordCount(), 3);
    EXPECT_FALSE(rows->Bof());
    std::string seen;
    for (; !rows->Eof(); rows->MoveNext()) {
        seen += rows->Fields("C")->ToString();
    }
    EXPECT_EQ(seen, "abc");
    rows->MoveNext();
    EXPECT_TRUE(rows->Eof());
    rows->MoveFirst();
    EXPECT_EQ(rows->Fields(0)->ToString(), "a");
    rows->Close();
    EXPECT_FALSE(rows->IsOpen());
    EXPECT_TRUE(rows->Eof());
    EXPECT_FALSE(rows->Fields(0).has_value());
}

TEST_F(StaticRecordsetTest, EmptyResultIsAtBothEnds) {
    auto rows = Read("select * from Warehouse where 1=2");
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->RecordCount(), 0);
    EXPECT_TRUE(rows->Bof());
    EXPECT_TRUE(rows->Eof());
    EXPECT_EQ(rows->FieldName(0), "cWhCode");
    EXPECT_EQ(rows->FieldDefinedSize(1), 50);
}

TEST_F(StaticRecordsetTest, FieldsByNameIgnoreCaseAndTheTable) {
    db.AddPerson("P1", "张三");
    auto rows = Read("select * from whInvContrapose,Inventory,person where 1=2");
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->FieldDefinedSize(rows->FieldIndex("Person.cPersonName")), 40);
    EXPECT_EQ(rows->FieldIndex("CINVCODE"), 1);  // the first of the two cInvCode columns
    EXPECT_EQ(rows->FieldIndex("nosuch"), -1);
    EXPECT_EQ(rows->FieldDefinedSize(99), 0);
}

// A find condition names the table of an ambiguous column: the result must say where each
// column comes from, whatever the query calls it.
TEST_F(StaticRecordsetTest, FieldsSayWhichTableTheyComeFrom) {
    auto rows = Read(
        "select WhInvContrapose.cInvCode, i.cInvCode as code, i.cInvName, 1 + 1 as two "
        "from WhInvContrapose inner join Inventory i on WhInvContrapose.cInvCode=i.cInvCode "
        "where 1=2");
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->FieldSource(0), "WhInvContrapose.cInvCode");
    EXPECT_EQ(rows->FieldSource(1), "Inventory.cInvCode");
    EXPECT_EQ(rows->FieldSource(2), "Inventory.cInvName");
    EXPECT_EQ(rows->FieldSource(3), "");
    EXPECT_EQ(rows->FieldSource(9), "");
}

TEST_F(StaticRecordsetTest, FilterNarrowsAndAnEmptyFilterRestores) {
    db.AddWarehouse("01", "成品库");
    db.AddWarehouse("02", "原料库");
    db.AddWarehouse("03", "废品库");
    auto rows = Read("select cWhCode, cWhName, length(cWhCode) as n from Warehouse order by 1");
    ASSERT_TRUE(rows);
    ASSERT_TRUE(rows->SetFilter("cWhCode='02' or cWhName='废品库 '"));
    EXPECT_EQ(rows->RecordCount(), 2);
    EXPECT_EQ(rows->Fields(0)->ToString(), "02");
    rows->MoveNext();
    EXPECT_EQ(rows->Fields(0)->ToString(), "03");
    rows->MoveNext();
    EXPECT_TRUE(rows->Eof());
    EXPECT_FALSE(rows->SetFilter("cWhCode='02"));
    EXPECT_EQ(rows->RecordCount(), 2) << "a bad filter keeps the last one";
    ASSERT_TRUE(rows->SetFilter("nosuch=1 or n=2") == false);
    ASSERT_TRUE(rows->SetFilter(""));
    EXPECT_EQ(rows->RecordCount(), 3);
    EXPECT_EQ(rows->Fields(0)->ToString(), "01");
}

TEST_F(StaticRecordsetTest, HoldsAGridOfTextsInLittleMoreThanTheirBytes) {
    ASSERT_TRUE(
        db.Execute("create table t (a varchar(20), b varchar(40), n decimal(20,6), d date);"
                   "with recursive k(i) as (select 1 union all select i+1 from k where i<2000) "
                   "insert into t select 'INV' || printf('%08d', i), '名称名称名称' || i, i * 1.5, "
                   "'2024-01-01' from k"));
    auto rows = Read("select * from t");
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->RecordCount(), 2000);
    EXPECT_LT(rows->MemoryBytes(), 2 * rows->TextBytes());
}

TEST_F(StaticRecordsetTest, ASmallResultIsCompleteOnReturn) {
    auto rows = OpenNumbers(10);
    ASSERT_TRUE(rows);
    EXPECT_FALSE(rows->Reading());
    EXPECT_EQ(rows->KnownRecordCount(), 10);
    EXPECT_EQ(finishedWith, std::vector<long>{10});
}

TEST_F(StaticRecordsetTest, MovesBackAfterALazyRead) {
    auto rows = OpenNumbers(1000);
    ASSERT_TRUE(rows);
    for (int i = 0; i < 300; ++i) {
        rows->MoveNext();
    }
    EXPECT_EQ(*rows->Fields(0), Variant(301));
    EXPECT_TRUE(rows->Reading());
    rows->MoveFirst();
    EXPECT_FALSE(rows->Bof());
    EXPECT_EQ(*rows->Fields(0), Variant(1));
    long seen = 0;
    for (; !rows->Eof(); rows->MoveNext()) {
        EXPECT_EQ(*rows->Fields(0), Variant(++seen));
    }
    EXPECT_EQ(seen, 1000);
    EXPECT_TRUE(rows->IsOpen());
    EXPECT_EQ(finishedWith, std::vector<long>{1000});
}

TEST_F(StaticRecordsetTest, RecordCountReadsToTheEndAndKeepsTheCurrentRow) {
    auto rows = OpenNumbers(1000);
    ASSERT_TRUE(rows);
    rows->MoveNext();
    EXPECT_EQ(rows->KnownRecordCount(), -1);
    EXPECT_EQ(rows->RecordCount(), 1000);
    EXPECT_FALSE(rows->Reading());
    EXPECT_EQ(rows->KnownRecordCount(), 1000);
    EXPECT_EQ(*rows->Fields(0), Variant(2));
    EXPECT_EQ(finishedWith, std::vector<long>{1000});
}

TEST_F(StaticRecordsetTest, FilterAfterAPartialReadSeesEveryRow) {
    auto rows = OpenNumbers(1000);
    ASSERT_TRUE(rows);
    rows->MoveNext();
    ASSERT_TRUE(rows->SetFilter("i=2 or i=999"));
    EXPECT_EQ(rows->RecordCount(), 2);
    EXPECT_EQ(*rows->Fields(0), Variant(2));
    rows->MoveNext();
    EXPECT_EQ(*rows->Fields(0), Variant(999));
    ASSERT_TRUE(rows->SetFilter(""));
    EXPECT_EQ(rows->RecordCount(), 1000);
}

TEST_F(StaticRecordsetTest, KnownRecordCountTrustsTheCountBesideUntilTheEndTells) {
    struct Case {
        const char* what;
        std::optional<long> beside;
        long known;
    };
    const Case cases[] = {
        {"not counted yet", std::nullopt, -1},
        {"counted", 1500, 1500},
        {"counted before rows were added", 10, -1},
    };
    for (const auto& c : cases) {
        auto rows = OpenNumbers(1000);
        ASSERT_TRUE(rows);
        rows->SetCountStarter([&] { return [&] { return c.beside; }; });
        EXPECT_EQ(rows->KnownRecordCount(), c.known) << c.what;
        rows->ReadToEnd();
        EXPECT_EQ(rows->KnownRecordCount(), 1000) << c.what << ": the rows read win";
    }
}

TEST_F(StaticRecordsetTest, TheCountBesideStartsOnlyWhenAsked) {
    int started = 0;
    const auto starter = [&] {
        ++started;
        return [] { return std::optional<long>(1000); };
    };
    auto unasked = OpenNumbers(1000);
    unasked->SetCountStarter(starter);
    EXPECT_EQ(unasked->RecordCount(), 1000);
    EXPECT_EQ(unasked->KnownRecordCount(), 1000);
    EXPECT_EQ(started, 0);
    auto asked = OpenNumbers(1000);
    asked->SetCountStarter(starter);
    asked->KnownRecordCount();
    asked->KnownRecordCount();
    EXPECT_EQ(started, 1);
}

TEST_F(StaticRecordsetTest, AResultLeftBeforeItsEndTellsTheRowsItRead) {
    const auto moved = [this] {
        auto rows = OpenNumbers(1000);
        for (int i = 0; i < 100; ++i) {
            rows->MoveNext();
        }
        return rows;
    };
    moved().reset();
    auto closed = moved();
    closed->Close();
    EXPECT_FALSE(closed->Reading());
    closed->Close();
    EXPECT_EQ(finishedWith, (std::vector<long>{101, 101}));
}

// A failing step must never look like the end of a shorter result.
TEST_F(StaticRecordsetTest, AStepFailingPartWayClosesTheResult) {
    auto rows =
        OpenNumbers(1000, "case when i < 100 then i else abs(i - i - 9223372036854775807 - 1) end");
    ASSERT_TRUE(rows);
    long seen = 0;
    for (; !rows->Eof(); rows->MoveNext()) {
        ++seen;
    }
    EXPECT_EQ(seen, 99);
    EXPECT_FALSE(rows->IsOpen());
    EXPECT_EQ(rows->RecordCount(), 0);
    EXPECT_FALSE(rows->SetFilter(""));
    EXPECT_EQ(finishedWith, std::vector<long>{-1});
    EXPECT_TRUE(backend.LastError().find("overflow") != std::string::npos ||
                backend.LastError().find("out of range") != std::string::npos)
        << backend.LastError();
}

TEST_F(StaticRecordsetTest, AStepFailingAmongTheFirstRowsGivesNoResult) {
    EXPECT_FALSE(
        OpenNumbers(1000, "case when i < 10 then i else abs(i - i - 9223372036854775807 - 1) end"));
    EXPECT_EQ(finishedWith, std::vector<long>{-1});
}

}  // namespace
}  // namespace zel
