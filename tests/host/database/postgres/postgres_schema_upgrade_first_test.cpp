// An account the first server schema made, opened by this program: that schema typed the cycle
// counts as integer, the last check as date and the quantities with a fixed scale, where the
// later ones hold numeric and the day's text.
#include <gtest/gtest.h>

#include "host/database/database_texts.h"
#include "host/database/postgres/postgres_backend.h"
#include "host/database/postgres/postgres_connect.h"
#include "host/database/postgres/postgres_schema_upgrade.h"
#include "host/database/postgres/pq_result.h"
#include "support/first_server_schema.h"
#include "support/server_roles.h"
#include "support/test_database.h"

namespace zel {
namespace {

constexpr const char* kCorrespondence =
    "insert into WhInvContrapose (cWhCode, cInvCode, iTopSum, iLowSum, iSafeNum, iWastage, "
    "iFrequency, cFrequency, iDays, dLastDate, cWhPersonCode, cCreatePerson, dModifyDate) values ";

// Every row as "warehouse|item|top|low|safe|wastage|count|unit|day|last|keeper|maker|modified"
// (NULL as "~"), then its next check date, by warehouse and item.
constexpr const char* kRows =
    "select string_agg(concat_ws('|', cWhCode, cInvCode, coalesce(iTopSum::text, '~'), "
    "coalesce(iLowSum::text, '~'), coalesce(iSafeNum::text, '~'), coalesce(iWastage::text, '~'), "
    "coalesce(iFrequency::text, '~'), coalesce(cFrequency::text, '~'), "
    "coalesce(iDays::text, '~'), coalesce(dLastDate::text, '~'), "
    "coalesce(cWhPersonCode::text, '~'), coalesce(cCreatePerson::text, '~'), "
    "coalesce(to_char(dModifyDate, 'YYYY-MM-DD HH24:MI:SS'), '~')), '; ' "
    "order by cWhCode, cInvCode) from WhInvContrapose";
constexpr const char* kNextDates =
    "select string_agg(cWhCode || '/' || cInvCode || ':' || coalesce(dNextDate::text, '~'), ' ' "
    "order by cWhCode, cInvCode) from WhInvContrapose";

class FirstServerSchemaAccountTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!db.OnServer()) {
            GTEST_SKIP() << "about server accounts; needs WHINV_TEST_POSTGRES";
        }
        std::string error;
        ASSERT_TRUE(test::MakeFirstServerSchemaAccount(db, error)) << error;
        for (const char* sql : {
                 "insert into Warehouse (cWhCode, cWhName) values ('01', '成品库'), "
                 "('02', '原料库')",
                 "insert into Person (cPersonCode, cPersonName) values ('P01', '张三')",
                 "insert into Inventory (cInvCode, cInvName, iTopSum, iFrequency, cFrequency, "
                 "dLastDate) select 'A00' || i, '物料', 100, 1, '天', date '2026-12-01' "
                 "from generate_series(1, 7) i",
             }) {
            ASSERT_TRUE(db.Execute(sql)) << sql;
        }
        // Good rows of every kind the old types held: each cycle unit with and without a day, a
        // month's last day, a last check before 1900 and in 9999, quantities of the whole scale,
        // and nulls. Then days that no window reads, which only a date column could hold.
        ASSERT_TRUE(db.Execute(
            std::string(kCorrespondence) +
            "('01', 'A001', 100, 10.5, 0, 0.05, 1, '周', 3, '2026-12-09', 'P01', 'demo', "
            "'2026-12-09 10:11:12'), "
            "('01', 'A002', 99999999999999.999999, null, null, 999999.999999, 2, '月', null, "
            "'2026-12-31', null, null, null), "
            "('01', 'A003', null, null, null, null, 10, '天', null, null, null, null, null), "
            "('01', 'A004', 12.345678, null, null, null, null, null, null, null, null, null, "
            "null), "
            "('02', 'A001', null, null, null, null, 1, '月', 31, '2024-01-31', 'P01', null, null), "
            "('02', 'A002', null, null, null, null, 4, '周', null, '1899-12-31', null, null, "
            "null), "
            "('02', 'A003', null, null, null, null, 1, '月', null, '9999-12-15', null, null, "
            "null), "
            "('02', 'A004', 1, null, null, null, 1, '天', null, '0044-03-15 BC', null, null, "
            "null), "
            "('02', 'A005', null, null, null, null, 1, '月', null, '12000-01-01', null, null, "
            "null), "
            "('02', 'A006', null, null, null, null, 7, '天', null, 'infinity', null, null, null)"));
    }

    // Read beside the host, whose opening would upgrade the account.
    std::string Read(const std::string& sql) {
        PGconn* connection = PQconnectdb(db.Path().c_str());
        const PqResult result(PQexec(connection, sql.c_str()));
        const std::string value = PQntuples(result.get()) == 1 && !PQgetisnull(result.get(), 0, 0)
                                      ? PQgetvalue(result.get(), 0, 0)
                                      : PQresultErrorMessage(result.get());
        PQfinish(connection);
        return value;
    }

    std::string TypesOf(const std::string& table) {
        return Read(
            "select string_agg(attname || ' ' || format_type(atttypid, atttypmod), ', ' order by "
            "attnum) from pg_attribute where attrelid = '" +
            table +
            "'::regclass and attname in ('itopsum', 'ilowsum', 'isafenum', 'iwastage', "
            "'ifrequency', 'idays', 'dlastdate')");
    }

    test::TestDatabase db;
};

TEST_F(FirstServerSchemaAccountTest, OpensWithEveryGoodRowKeptAndTheCurrentTypes) {
    ASSERT_EQ(Read("select version from whinv_schema"), "2");
    ASSERT_EQ(TypesOf("WhInvContrapose"),
              "itopsum numeric(20,6), ilowsum numeric(20,6), isafenum numeric(20,6), "
              "iwastage numeric(12,6), ifrequency integer, idays integer, dlastdate date");

    const auto service = db.OpenService();
    ASSERT_TRUE(service->Status()) << service->LastError();

    EXPECT_EQ(Read("select version from whinv_schema"),
              std::to_string(PostgresSchemaUpgrade::kVersion));
    EXPECT_EQ(TypesOf("WhInvContrapose"),
              "itopsum numeric, ilowsum numeric, isafenum numeric, iwastage numeric, "
              "ifrequency numeric, idays numeric, dlastdate text");
    // The item's own cycle keeps the types the current schema gives it.
    EXPECT_EQ(TypesOf("Inventory"),
              "itopsum numeric, ilowsum numeric, isafenum numeric, iwastage numeric, "
              "ifrequency integer, idays integer, dlastdate date");
    // The same values, read as a number or a day written now reads: without the zeros the fixed
    // scale added, the day as yyyy-mm-dd.
    EXPECT_EQ(Read(kRows),
              "01|A001|100|10.5|0|0.05|1|周|3|2026-12-09|P01|demo|2026-12-09 10:11:12; "
              "01|A002|99999999999999.999999|~|~|999999.999999|2|月|~|2026-12-31|~|~|~; "
              "01|A003|~|~|~|~|10|天|~|~|~|~|~; "
              "01|A004|12.345678|~|~|~|~|~|~|~|~|~|~; "
              "02|A001|~|~|~|~|1|月|31|2024-01-31|P01|~|~; "
              "02|A002|~|~|~|~|4|周|~|1899-12-31|~|~|~; "
              "02|A003|~|~|~|~|1|月|~|9999-12-15|~|~|~");
    EXPECT_EQ(Read("select string_agg(cInvCode || ' ' || iTopSum || ' ' || dLastDate, ', ' order "
                   "by cInvCode) from Inventory where cInvCode in ('A001', 'A002')"),
              "A001 100 2026-12-01, A002 100 2026-12-01");
    EXPECT_EQ(Read(kNextDates),
              "01/A001:2026-12-15 01/A002:2027-02-28 01/A003:-infinity 01/A004:~ "
              "02/A001:2024-02-29 02/A002:-infinity 02/A003:~");
    // The days no window reads are set aside whole, under the rule of days.
    EXPECT_EQ(Read("select string_agg(concat_ws('|', cWhCode, cInvCode, iTopSum, iFrequency, "
                   "cFrequency, dLastDate, cSetAsideReason, iSetAsideFrom), '; ' order by "
                   "cInvCode) from WhInvContrapose_set_aside"),
              "02|A004|1|1|天|0044-03-15 BC|not_a_date|2; "
              "02|A005|1|月|12000-01-01|not_a_date|2; 02|A006|7|天|infinity|not_a_date|2");
    EXPECT_EQ(Read("select iRows from whinv_set_aside_notice"), "3");
}

// Once upgraded, the account is one of the current schema: its rules refuse what they refuse on
// a new account, its history records every write, and a number written as it was is no change.
TEST_F(FirstServerSchemaAccountTest, WritesAfterTheUpgradeKeepTheRulesAndTheHistory) {
    const auto service = db.OpenService();
    ASSERT_TRUE(service->Status()) << service->LastError();

    for (const char* sql :
         {"update WhInvContrapose set iTopSum = 100 where cWhCode = '01' and cInvCode = 'A001'",
          "update WhInvContrapose set iTopSum = 12.345678, iWastage = null "
          "where cInvCode = 'A004'"}) {
        ASSERT_TRUE(db.Execute(sql)) << sql;
    }
    EXPECT_EQ(Read("select count(*) from whinv_change"), "0");

    ASSERT_TRUE(
        service->ExecuteX("update WhInvContrapose set iTopSum = 7, dLastDate = '2026-12-20' "
                          "where cWhCode = '01' and cInvCode = 'A001'"))
        << service->LastError();
    EXPECT_EQ(Read("select string_agg(concat_ws(' ', c.cKind, v.cWhCode, v.cInvCode, v.cField, "
                   "v.cOldValue, v.cNewValue), '; ' order by v.cField) from whinv_change c "
                   "join whinv_change_value v on v.iChange = c.iChange"),
              "change 01 A001 dLastDate 2026-12-09 2026-12-20; change 01 A001 iTopSum 100 7");
    EXPECT_EQ(Read("select dNextDate from WhInvContrapose where cWhCode = '01' and "
                   "cInvCode = 'A001'"),
              "2026-12-29");

    ASSERT_TRUE(db.Execute(std::string(kCorrespondence) +
                           "('01', 'A005', 5, null, null, null, 3, '天', null, '2026-12-01', "
                           "null, null, null)"));
    EXPECT_EQ(Read("select dNextDate from WhInvContrapose where cInvCode = 'A005'"), "2026-12-04");
    EXPECT_EQ(Read("select count(*) from whinv_change where cKind = 'add'"), "1");
    for (const char* refused :
         {"('01', 'A006', null, null, null, null, 1, '天', null, 'yesterday', null, null, null)",
          "('01', 'A006', null, null, null, null, 1.5, '天', null, null, null, null, null)"}) {
        EXPECT_FALSE(db.Execute(std::string(kCorrespondence) + refused)) << refused;
    }
}

// The first schema held no rights: its owner sets them, as for any account, before anyone else
// logs in. That upgrades the account too, and then its policies hold: a user granted one
// warehouse reads only that warehouse's rows, their history and the rows set aside from them
// alike, and writes none he may only read.
TEST_F(FirstServerSchemaAccountTest, SettingTheRightsUpgradesTheAccountAndItsPoliciesHold) {
    test::ServerRoles roles(db);
    std::string error;
    const auto secured = roles.SecureAccount(error);
    ASSERT_TRUE(secured) << error;
    EXPECT_EQ(Read("select version from whinv_schema"),
              std::to_string(PostgresSchemaUpgrade::kVersion));
    EXPECT_EQ(Read("select count(*) from WhInvContrapose_set_aside"), "3");
    ASSERT_TRUE(db.Execute("update WhInvContrapose set iTopSum = 8"));
    const std::string clerk = roles.AddLogin("clerk", {secured->users});
    ASSERT_TRUE(db.Execute("insert into aa_user values ('" + clerk + "', 'clerk', 0); " +
                           "insert into aa_rowauth values ('" + clerk +
                           "', 'Warehouse', '02', 'R')"));

    test::ServerSession session(roles.ConninfoOf(clerk));
    for (const char* table :
         {"WhInvContrapose", "whinv_change_value", "WhInvContrapose_set_aside"}) {
        EXPECT_EQ(session.Column("select distinct cWhCode::text from " + std::string(table)),
                  (std::vector<std::string>{"02"}))
            << table;
    }
    EXPECT_EQ(session.Column("select iRows::text from whinv_set_aside_notice"),
              (std::vector<std::string>{"3"}));
    const auto update = session.Run("update WhInvContrapose set iTopSum = 9");
    EXPECT_TRUE(update.ok) << update.error;
    EXPECT_EQ(update.rows, 0);
    EXPECT_EQ(Read("select count(*) from WhInvContrapose where iTopSum = 9"), "0");
}

// What the upgrade cannot convert (a column a view of the user's own reads) stops it whole: the
// account stays as the first schema left it, for the older program, and the user reads why.
TEST_F(FirstServerSchemaAccountTest, AnUpgradeTheServerRefusesLeavesTheAccountAsItWas) {
    ASSERT_TRUE(db.Execute(
        "create view my_last_checks as select cInvCode, dLastDate from WhInvContrapose"));
    const std::string rows = Read(kRows);
    PostgresBackend backend;
    EXPECT_FALSE(backend.Open(db.Path()));
    const std::string told = DatabaseTexts::FormatWhole(
        "Zel.HOST.DB.schema_upgrade_failed",
        {AccountNameOf(db.Path()), "2", std::to_string(PostgresSchemaUpgrade::kVersion), ""});
    EXPECT_EQ(backend.LastError().rfind(told, 0), 0u) << backend.LastError();
    EXPECT_GT(backend.LastError().size(), told.size()) << backend.LastError();
    EXPECT_EQ(Read("select version from whinv_schema"), "2");
    EXPECT_EQ(Read(kRows), rows);
    EXPECT_EQ(TypesOf("WhInvContrapose"),
              "itopsum numeric(20,6), ilowsum numeric(20,6), isafenum numeric(20,6), "
              "iwastage numeric(12,6), ifrequency integer, idays integer, dlastdate date");
    EXPECT_EQ(Read("select to_regclass('WhInvContrapose_set_aside') is null"), "t");
}

TEST_F(FirstServerSchemaAccountTest, ASecondOpenChangesNothing) {
    {
        PostgresBackend backend;
        ASSERT_TRUE(backend.Open(db.Path())) << backend.LastError();
    }
    const std::string table =
        "select relfilenode from pg_class where oid = "
        "'WhInvContrapose'::regclass";
    const std::string file = Read(table);
    const std::string rows = Read(kRows);
    PostgresBackend backend;
    ASSERT_TRUE(backend.Open(db.Path())) << backend.LastError();
    EXPECT_EQ(Read(table), file);
    EXPECT_EQ(Read(kRows), rows);
    EXPECT_EQ(Read("select count(*) from WhInvContrapose_set_aside"), "3");
    EXPECT_EQ(Read("select iRows from whinv_set_aside_notice"), "3");
}

}  // namespace
}  // namespace zel
