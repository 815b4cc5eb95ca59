#include "host/database/postgres/postgres_schema_upgrade.h"

#include <gtest/gtest.h>

#include "host/database/database_texts.h"
#include "host/database/postgres/postgres_backend.h"
#include "host/database/postgres/postgres_connect.h"
#include "host/database/postgres/pq_result.h"
#include "support/server_roles.h"
#include "support/test_database.h"

namespace zel {
namespace {

// An account an earlier program made: version 1, and an index of the current schema missing.
constexpr const char* kMakeOlder =
    "update whinv_schema set version = 1; drop index whinv_schema_one_row";

class PostgresSchemaUpgradeTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!db.OnServer()) {
            GTEST_SKIP() << "about server accounts; needs WHINV_TEST_POSTGRES";
        }
        db.AddWarehouse("01", "成品库");
    }

    // Read beside the host, whose opening would upgrade the account.
    std::string Read(const std::string& sql) {
        PGconn* connection = PQconnectdb(db.Path().c_str());
        const PqResult result(PQexec(connection, sql.c_str()));
        const std::string value =
            PQntuples(result.get()) == 1 ? PQgetvalue(result.get(), 0, 0) : "none";
        PQfinish(connection);
        return value;
    }
    std::string Version() { return Read("select version from whinv_schema"); }
    std::string OneRowIndex() {
        return Read("select indexname from pg_indexes where indexname = 'whinv_schema_one_row'");
    }
    std::vector<std::string> Versions(int version) {
        return {AccountNameOf(db.Path()), std::to_string(version),
                std::to_string(PostgresSchemaUpgrade::kVersion)};
    }

    test::TestDatabase db;
};

TEST_F(PostgresSchemaUpgradeTest, UpgradesAnOlderAccountAndKeepsItsRows) {
    ASSERT_TRUE(db.Execute(kMakeOlder));
    PostgresBackend backend;
    ASSERT_TRUE(backend.Open(db.Path())) << backend.LastError();
    EXPECT_EQ(Version(), std::to_string(PostgresSchemaUpgrade::kVersion));
    EXPECT_EQ(OneRowIndex(), "whinv_schema_one_row");
    EXPECT_EQ(Read("select cWhName from Warehouse where cWhCode = '01'"), "成品库");
}

// The second schema is the current one without the history.
TEST_F(PostgresSchemaUpgradeTest, AnAccountOfTheSecondSchemaGainsAnEmptyHistoryItsReadersRead) {
    db.AddInventory("A001");
    db.AddCorrespondence("01", "A001", {{"iTopSum", 12.345678}});
    for (const char* sql : {"drop table whinv_change_value, whinv_change",
                            "drop function WhInvContrapose_history_add, "
                            "WhInvContrapose_history_change, WhInvContrapose_history_delete, "
                            "whinv_change_open, whinv_change_prune cascade",
                            "update whinv_schema set version = 2"}) {
        ASSERT_TRUE(db.Execute(sql)) << sql;
    }
    const auto reader = db.AddLogin("reader");
    PostgresBackend backend;
    ASSERT_TRUE(backend.Open(db.Path())) << backend.LastError();
    EXPECT_EQ(Version(), std::to_string(PostgresSchemaUpgrade::kVersion));
    EXPECT_EQ(Read("select iTopSum from WhInvContrapose"), "12.345678");
    EXPECT_EQ(Read("select count(*) from whinv_change"), "0");
    EXPECT_EQ(
        Read("select has_table_privilege('" + reader.userId + "', 'whinv_change_value', 'select')"),
        "t");
    ASSERT_TRUE(db.Execute("update WhInvContrapose set iTopSum = 0.5"));
    EXPECT_EQ(Read("select cField || ' ' || cOldValue || ' ' || cNewValue from "
                   "whinv_change_value"),
              "iTopSum 12.345678 0.5");
}

class PostgresSchemaUpgradeOfTheHistoryTest : public PostgresSchemaUpgradeTest,
                                              public ::testing::WithParamInterface<int> {};

// The third and fourth schemas kept the history as the current one does, but knew only three
// kinds of entry: their entries stay exactly as they were, and an import step makes an entry of
// its own kind once the account is upgraded.
TEST_P(PostgresSchemaUpgradeOfTheHistoryTest, AnAccountKeepsItsHistoryAndGainsTheImportKind) {
    db.AddInventory("A001");
    db.AddCorrespondence("01", "A001", {{"iTopSum", 12.345678}});
    ASSERT_TRUE(db.Execute("update WhInvContrapose set iTopSum = 100"));
    ASSERT_TRUE(
        db.Execute("alter table whinv_change drop constraint whinv_change_ckind_check; "
                   "alter table whinv_change add constraint whinv_change_ckind_check "
                   "check (cKind in ('add', 'change', 'delete')); "
                   "update whinv_schema set version = " +
                   std::to_string(GetParam())));
    const std::string entries =
        "select string_agg(concat_ws(' ', c.iChange, c.dWhen, c.cUser, c.cKind, v.cField, "
        "v.cOldValue, v.cNewValue), '; ' order by c.iChange, v.cField) from whinv_change c "
        "join whinv_change_value v on v.iChange = c.iChange";
    const std::string before = Read(entries);
    ASSERT_NE(before.find("iTopSum 12.345678 100"), std::string::npos) << before;
    PostgresBackend backend;
    ASSERT_TRUE(backend.Open(db.Path())) << backend.LastError();
    EXPECT_EQ(Version(), std::to_string(PostgresSchemaUpgrade::kVersion));
    EXPECT_EQ(Read(entries), before);
    EXPECT_EQ(Read("select set_config('whinv.change_step', 'import', false); "
                   "update WhInvContrapose set iTopSum = 7; "
                   "select cKind from whinv_change where iChange = (select max(iChange) from "
                   "whinv_change)"),
              "import");
}

INSTANTIATE_TEST_SUITE_P(ThirdAndFourth, PostgresSchemaUpgradeOfTheHistoryTest,
                         ::testing::Values(3, 4));

// An account of the fifth schema made before the rules of numbers, days and units reached the
// correspondence table: rows written then break them.
TEST_F(PostgresSchemaUpgradeTest, RowsTheLaterRulesRefuseAreSetAsideAndTheRulesAdded) {
    const std::string correspondence =
        "insert into WhInvContrapose (cWhCode, cInvCode, iTopSum, iFrequency, cFrequency, iDays, "
        "dLastDate) ";
    const std::string goodRows =
        "select string_agg(concat_ws('|', cWhCode, cInvCode, iTopSum, iFrequency, cFrequency, "
        "iDays, dLastDate, cWhPersonCode), ';' order by cInvCode) from WhInvContrapose";
    for (const std::string& sql :
         {std::string("alter table WhInvContrapose drop column dNextDate, "
                      "drop constraint not_a_number, drop constraint not_a_date, "
                      "drop constraint bad_frequency, drop constraint bad_days_week; "
                      "update whinv_schema set version = 5"),
          std::string("insert into Inventory (cInvCode, cInvName) select 'I' || "
                      "lpad(i::text, 4, '0'), '物料' from generate_series(1, 300) i; "
                      "insert into Inventory (cInvCode, cInvName) select 'B' || i, '备件' "
                      "from generate_series(1, 6) i"),
          correspondence +
              "select '01', cInvCode, 1.25 * iId, 1 + iId % 3, (array['天', '周', '月'])[1 "
              "+ iId % 3], case when iId % 3 > 0 then 1 + iId % 7 end, to_char(date "
              "'2024-01-01' + iId, 'YYYY-MM-DD') from Inventory where cInvCode like 'I%'",
          correspondence + "values ('01', 'B1', null, 1.5, '天', null, null), "
                           "('01', 'B2', null, null, null, null, '2024-02-30'), "
                           "('01', 'B3', null, null, null, null, 'yesterday'), "
                           "('01', 'B4', null, 1, '年', null, null), "
                           "('01', 'B5', 7, 1, '周', 9, null), "
                           "('01', 'B6', null, 2.5, '年', null, '2024-01-01')"}) {
        ASSERT_TRUE(db.Execute(sql)) << sql;
    }
    const std::string kept = Read(goodRows + " where cInvCode like 'I%'");
    const auto user = db.AddLogin("zhang");
    PostgresBackend backend;
    ASSERT_TRUE(backend.Open(db.Path())) << backend.LastError();
    EXPECT_EQ(Version(), std::to_string(PostgresSchemaUpgrade::kVersion));
    EXPECT_EQ(Read(goodRows), kept);
    EXPECT_EQ(Read("select count(*) from WhInvContrapose where dNextDate is not null"), "300");
    EXPECT_EQ(Read("select string_agg(concat_ws('|', cInvCode, iTopSum, iFrequency, cFrequency, "
                   "iDays, dLastDate, cSetAsideReason, iSetAsideFrom), ';' order by cInvCode) "
                   "from WhInvContrapose_set_aside"),
              "B1|1.5|天|not_a_number|5;B2|2024-02-30|not_a_date|5;B3|yesterday|not_a_date|5;"
              "B4|1|年|bad_frequency|5;B5|7|1|周|9|bad_days_week|5;"
              "B6|2.5|年|2024-01-01|not_a_number|5");
    EXPECT_EQ(Read("select iRows from whinv_set_aside_notice"), "6");
    EXPECT_EQ(Read("select count(*) from pg_constraint where conrelid = "
                   "'WhInvContrapose'::regclass and conname in ('not_a_number', 'not_a_date', "
                   "'bad_frequency', 'bad_days_week')"),
              "4");
    EXPECT_FALSE(db.Execute(correspondence + "values ('01', 'B1', null, 1, '年', null, null)"));
    // Every user is told, and may put a row back.
    for (const char* table : {"whinv_set_aside_notice", "WhInvContrapose_set_aside"}) {
        EXPECT_EQ(Read("select has_table_privilege('" + user.userId + "', '" + table +
                       "', 'select, delete')"),
                  "t")
            << table;
    }
}

// A row set aside stays under the rights of the row it was: its warehouse's readers see it, and
// only its writers may take it away.
TEST_F(PostgresSchemaUpgradeTest, RowsSetAsideKeepTheRowPoliciesOfTheirTable) {
    db.AddWarehouse("02", "原料库");
    db.AddInventory("B1");
    db.AddInventory("B2");
    test::ServerRoles roles(db);
    std::string error;
    const auto secured = roles.SecureAccount(error);
    ASSERT_TRUE(secured) << error;
    const std::string clerk = roles.AddLogin("clerk", {secured->users});
    ASSERT_TRUE(db.Execute("insert into aa_user values ('" + clerk + "', 'clerk', 0); " +
                           "insert into aa_rowauth values ('" + clerk +
                           "', 'Warehouse', '02', 'R')"));
    ASSERT_TRUE(db.Execute(
        "alter table WhInvContrapose drop column dNextDate, drop constraint not_a_number; "
        "update whinv_schema set version = 5; "
        "insert into WhInvContrapose (cWhCode, cInvCode, iFrequency) values ('01', 'B1', 1.5), "
        "('02', 'B2', 2.5)"));
    {
        PostgresBackend backend;
        ASSERT_TRUE(backend.Open(db.Path())) << backend.LastError();
    }
    test::ServerSession session(roles.ConninfoOf(clerk));
    EXPECT_EQ(session.Column("select cWhCode from WhInvContrapose_set_aside"),
              (std::vector<std::string>{"02"}));
    EXPECT_TRUE(session.Run("delete from WhInvContrapose_set_aside").ok);
    EXPECT_EQ(Read("select string_agg(cWhCode, ',' order by cWhCode) from "
                   "WhInvContrapose_set_aside"),
              "01,02");
}

// A column typed otherwise that the script's own generated column and policy read: they are
// dropped for the conversion and made again by the script, over the converted column.
TEST_F(PostgresSchemaUpgradeTest, WhatTheScriptMakesOverAColumnToConvertIsMadeAgain) {
    db.AddInventory("A001");
    db.AddCorrespondence("01", "A001",
                         {{"cFrequency", "天"}, {"iFrequency", 3}, {"dLastDate", "2026-12-01"}});
    ASSERT_TRUE(
        db.Execute("alter table WhInvContrapose drop column dNextDate; "
                   "alter table WhInvContrapose alter column iFrequency type integer; "
                   "alter table WhInvContrapose add column dNextDate date generated always as "
                   "(whinv_next_check(cFrequency::text, iFrequency, iDays, dLastDate)) stored; "
                   "drop policy WhInvContrapose_read on WhInvContrapose; "
                   "create policy WhInvContrapose_read on WhInvContrapose for select using "
                   "(iFrequency is not null); "
                   "update whinv_schema set version = 5"));
    PostgresBackend backend;
    ASSERT_TRUE(backend.Open(db.Path())) << backend.LastError();
    EXPECT_EQ(Read("select format_type(atttypid, atttypmod) from pg_attribute where attrelid = "
                   "'WhInvContrapose'::regclass and attname = 'ifrequency'"),
              "numeric");
    EXPECT_EQ(Read("select iFrequency || ' ' || dNextDate from WhInvContrapose"), "3 2026-12-04");
    EXPECT_EQ(Read("select count(*) from pg_policies where policyname = 'whinvcontrapose_read' "
                   "and qual like '%whinv_granted%' and qual not like '%ifrequency%'"),
              "1");
}

TEST_F(PostgresSchemaUpgradeTest, RefusesAnAccountANewerProgramMade) {
    const int newer = PostgresSchemaUpgrade::kVersion + 1;
    ASSERT_TRUE(db.Execute("update whinv_schema set version = " + std::to_string(newer)));
    PostgresBackend backend;
    EXPECT_FALSE(backend.Open(db.Path()));
    EXPECT_EQ(backend.LastError(),
              DatabaseTexts::Format("Zel.HOST.DB.schema_newer", Versions(newer)));
    EXPECT_FALSE(backend.IsOpen());
    EXPECT_EQ(Version(), std::to_string(newer));
}

TEST_F(PostgresSchemaUpgradeTest, TellsALoginWithoutTheRightsAndLeavesTheAccountAsItWas) {
    ASSERT_TRUE(db.Execute(kMakeOlder));
    const auto login = db.AddLogin("wang");
    PostgresBackend backend;
    EXPECT_FALSE(backend.Open(db.Path() + " user=" + login.userId));
    EXPECT_EQ(backend.LastError(),
              DatabaseTexts::Format("Zel.HOST.DB.schema_upgrade_denied", Versions(1)));
    EXPECT_EQ(Version(), "1");
    EXPECT_EQ(OneRowIndex(), "none");
}

}  // namespace
}  // namespace zel
