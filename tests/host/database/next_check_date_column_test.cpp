// The stored next check date of a correspondence row: an account of the schema before it gains it
// on opening, filled for the rows it holds; results describe it like any column of the table.
#include <gtest/gtest.h>

#include <string>

#include "host/database/postgres/postgres_schema_upgrade.h"
#include "host/database/sqlite/schema_upgrade.h"
#include "support/test_database.h"

namespace zel {
namespace {

class NextCheckDateColumnTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.AddWarehouse("01");
        for (const char* item : {"A001", "A002", "A003", "A004"}) {
            db.AddInventory(item);
        }
        db.AddCorrespondence(
            "01", "A001",
            {{"cFrequency", "周"}, {"iFrequency", 1}, {"iDays", 3}, {"dLastDate", "2026-12-09"}});
        db.AddCorrespondence(
            "01", "A002", {{"cFrequency", "月"}, {"iFrequency", 2}, {"dLastDate", "2026-12-31"}});
        db.AddCorrespondence("01", "A003", {{"cFrequency", "天"}, {"iFrequency", 10}});
        db.AddCorrespondence("01", "A004", {{"iTopSum", 5}});
    }

    // The account as the schema before the next check date left it: the column, its indexes
    // and, on a server, the function that computes it are not there yet.
    void MakeItOfTheEarlierSchema() {
        ASSERT_TRUE(db.Execute(
            db.OnServer() ? "alter table WhInvContrapose drop column dNextDate; "
                            "drop function whinv_next_check(text, numeric, numeric, text); "
                            "update whinv_schema set version = 5"
                          : "drop index WhInvContrapose_dNextDate; "
                            "drop index WhInvContrapose_cWhCode_dNextDate; "
                            "alter table WhInvContrapose drop column dNextDate; "
                            "pragma user_version = 5"));
    }

    std::string Version() {
        return db.Scalar(db.OnServer() ? "select version from whinv_schema" : "pragma user_version")
            .ToString();
    }

    // "item:next item:next ...", by item; NULL as "~".
    std::string NextDates() {
        const std::string row = "cInvCode || ':' || coalesce(cast(dNextDate as text), '~')";
        return db
            .Scalar(db.OnServer() ? "select string_agg(" + row +
                                        ", ' ' order by cInvCode) from WhInvContrapose"
                                  : "select group_concat(r, ' ') from (select " + row +
                                        " as r from WhInvContrapose order by cInvCode)")
            .ToString();
    }

    test::TestDatabase db;
};

TEST_F(NextCheckDateColumnTest, AnAccountOfTheEarlierSchemaGainsTheDatesOfItsRowsOnOpening) {
    MakeItOfTheEarlierSchema();
    const std::string changes = db.Scalar("select count(*) from whinv_change").ToString();
    ASSERT_EQ(Version(), "5");

    const auto service = db.OpenService();
    ASSERT_TRUE(service->Status()) << service->LastError();

    EXPECT_EQ(Version(), std::to_string(db.OnServer() ? PostgresSchemaUpgrade::kVersion
                                                      : SchemaUpgrade::kVersion));
    EXPECT_EQ(NextDates(), "A001:2026-12-15 A002:2027-02-28 A003:-infinity A004:~");
    // Filling the column changed no row: the history has no entry of it.
    EXPECT_EQ(db.Scalar("select count(*) from whinv_change").ToString(), changes);
    EXPECT_EQ(db.Scalar("select count(*) from " +
                        std::string(db.OnServer() ? "pg_indexes where indexname"
                                                  : "sqlite_master where name") +
                        " in ('whinvcontrapose_dnextdate', 'WhInvContrapose_dNextDate', "
                        "'whinvcontrapose_cwhcode_dnextdate', "
                        "'WhInvContrapose_cWhCode_dNextDate')")
                  .ToString(),
              "2");
    if (!db.OnServer()) {
        EXPECT_EQ(db.Scalar("pragma integrity_check").ToString(), "ok");
        EXPECT_TRUE(db.Scalar("pragma foreign_key_check").IsNull());
    }
    // Written on from now on.
    ASSERT_TRUE(service->ExecuteX(
        "update WhInvContrapose set dLastDate = '2026-12-01' where cInvCode = 'A003'"));
    EXPECT_EQ(NextDates(), "A001:2026-12-15 A002:2027-02-28 A003:2026-12-11 A004:~");
}

// The due list's index came first without the list's other columns; an account of that schema
// has it made again with them on opening.
TEST_F(NextCheckDateColumnTest, TheDueIndexOfAnEarlierAccountGainsTheListsColumns) {
    const std::string columns =
        db.OnServer() ? "select substring(indexdef from 'btree \\(([^)]*)\\)') || ' + ' || "
                        "substring(indexdef from 'INCLUDE \\(([^)]*)\\)') from pg_indexes "
                        "where indexname = 'whinvcontrapose_dnextdate'"
                      : "select group_concat(name, ', ') from (select name from "
                        "pragma_index_info('WhInvContrapose_dNextDate') order by seqno)";
    ASSERT_TRUE(db.Execute(
        "drop index WhInvContrapose_dNextDate; create index WhInvContrapose_dNextDate on "
        "WhInvContrapose (dNextDate, cWhCode, cInvCode) where dNextDate is not null; " +
        std::string(db.OnServer() ? "update whinv_schema set version = 6"
                                  : "pragma user_version = 6")));
    const auto service = db.OpenService();
    ASSERT_TRUE(service->Status()) << service->LastError();
    EXPECT_EQ(db.Scalar(columns).ToString(),
              db.OnServer() ? "dnextdate, cwhcode, cinvcode + cwhpersoncode, dlastdate"
                            : "dNextDate, cWhCode, cInvCode, cWhPersonCode, dLastDate");
    EXPECT_EQ(NextDates(), "A001:2026-12-15 A002:2027-02-28 A003:-infinity A004:~");
}

TEST_F(NextCheckDateColumnTest, AResultSaysItsTableLikeAnyColumnOfIt) {
    const auto service = db.OpenService();
    const auto rows =
        service->OpenX("select dNextDate, cInvCode from WhInvContrapose where cInvCode = 'A001'");
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->FieldSource(0), "WhInvContrapose.dNextDate");
    EXPECT_EQ(rows->FieldName(0), "dNextDate");
    ASSERT_FALSE(rows->Eof());
    EXPECT_EQ(rows->Fields("dNextDate")->ToString(), "2026-12-15");
}

}  // namespace
}  // namespace zel
