// The rules of a correspondence row that the schema declares hold for every writer: statements
// straight to the engine and the windows' own statements through ExecuteX alike.
#include <gtest/gtest.h>

#include "host/objects/resource_texts.h"
#include "support/test_database.h"

namespace zel {
namespace {

class SchemaRules : public ::testing::Test {
protected:
    void SetUp() override {
        db.AddWarehouse("01", "成品库");
        db.AddInventory("A001", "螺钉");
        db.AddInventory("A002", "螺母");
        db.AddPerson("P01", "张三");
        db.AddCorrespondence("01", "A001", {{"iTopSum", 100}, {"cFrequency", "周"}, {"iDays", 3}});
        // The test's own connection writes as any other program would.
        ASSERT_TRUE(db.Execute("pragma foreign_keys = on"));
        service = db.OpenService();
    }

    std::string Rows() {
        return db
            .Scalar(
                "select group_concat(cWhCode || '|' || cInvCode || '|' || "
                "coalesce(cast(iTopSum as text), '~') || '|' || coalesce(cFrequency, '~') || '|' "
                "|| "
                "coalesce(cast(iDays as text), '~') || '|' || coalesce(cast(dLastDate as text), "
                "'~') || '|' || "
                "coalesce(cWhPersonCode, '~'), ';') from WhInvContrapose")
            .ToString();
    }

    test::TestDatabase db;
    std::shared_ptr<IClsCommon> service;
};

struct Broken {
    const char* name;
    std::string sql;
    std::string textKey;  // the host text the service answers with
};

void PrintTo(const Broken& broken, std::ostream* out) {
    *out << broken.name;
}

class SchemaRefuses : public SchemaRules, public ::testing::WithParamInterface<Broken> {};

TEST_P(SchemaRefuses, TheStatementOnTheEngineAndThroughTheService) {
    const std::string before = Rows();
    EXPECT_FALSE(db.Execute(GetParam().sql));
    std::string sql = GetParam().sql;
    EXPECT_FALSE(service->ExecuteX(sql));
    EXPECT_EQ(service->LastError(), ResourceTexts::Instance().Text(GetParam().textKey));
    EXPECT_EQ(Rows(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SchemaRefuses,
    ::testing::Values(
        Broken{"TextAsQuantity", "update WhInvContrapose set iTopSum='abc'",
               "Zel.HOST.DB.not_a_number"},
        Broken{"FractionAsCycle", "update WhInvContrapose set iFrequency=1.5",
               "Zel.HOST.DB.not_a_number"},
        Broken{"NoSuchDay", "update WhInvContrapose set dLastDate='2026-02-30'",
               "Zel.HOST.DB.not_a_date"},
        Broken{"DateAsText", "update WhInvContrapose set dLastDate='yesterday'",
               "Zel.HOST.DB.not_a_date"},
        Broken{"DateWithoutDashes", "update WhInvContrapose set dLastDate='20260101'",
               "Zel.HOST.DB.not_a_date"},
        Broken{"UnknownUnit", "update WhInvContrapose set cFrequency='年', iDays=null",
               "Zel.HOST.DB.bad_frequency"},
        Broken{"WeekDayEight", "update WhInvContrapose set iDays=8", "Zel.HOST.DB.bad_days_week"},
        Broken{"MonthDayZero", "update WhInvContrapose set cFrequency='月', iDays=0",
               "Zel.HOST.DB.bad_days_month"},
        Broken{"DayOfADayCycle", "update WhInvContrapose set cFrequency='天'",
               "Zel.HOST.DB.days_not_allowed"},
        Broken{"UnknownWarehouse", "update WhInvContrapose set cWhCode='99'",
               "Zel.HOST.DB.missing_reference"},
        Broken{"UnknownItem", "update WhInvContrapose set cInvCode='Z9'",
               "Zel.HOST.DB.missing_reference"},
        Broken{"UnknownPerson", "update WhInvContrapose set cWhPersonCode='P99'",
               "Zel.HOST.DB.missing_reference"},
        Broken{"BlankPerson", "update WhInvContrapose set cWhPersonCode=' '",
               "Zel.HOST.DB.missing_reference"},
        Broken{"EmptyItem", "update WhInvContrapose set cInvCode=''", "Zel.HOST.DB.empty_invcode"},
        Broken{"BlankWarehouse",
               "insert into WhInvContrapose (cWhCode, cInvCode) values (' ', 'A002')",
               "Zel.HOST.DB.empty_whcode"},
        Broken{"PairInOtherCase",
               "insert into WhInvContrapose (cWhCode, cInvCode) values ('01', 'a001')",
               "Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.144_1"},
        Broken{"PairWithTrailingBlanks",
               "insert into WhInvContrapose (cWhCode, cInvCode) values ('01 ', 'A001  ')",
               "Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.144_1"}),
    [](const ::testing::TestParamInfo<Broken>& info) { return std::string(info.param.name); });

TEST_F(SchemaRules, AWarehouseItemOrPersonInUseIsNotDeleted) {
    ASSERT_TRUE(db.Execute("update WhInvContrapose set cWhPersonCode='P01'"));
    const std::pair<std::string, int> tables[] = {
        {"Warehouse", 1}, {"Inventory", 2}, {"Person", 1}};
    for (const auto& [table, rows] : tables) {
        std::string sql = "delete from " + table;
        EXPECT_FALSE(db.Execute(sql)) << table;
        EXPECT_FALSE(service->ExecuteX(sql)) << table;
        EXPECT_EQ(service->LastError(), "仓库存货对照还在使用该记录，不能删除！");
        EXPECT_EQ(db.Scalar("select count(*) from " + table), Variant(rows)) << table;
    }
    std::string unused = "delete from Inventory where cInvCode='A002'";
    EXPECT_TRUE(service->ExecuteX(unused)) << service->LastError();
}

TEST_F(SchemaRules, AMissingKeyNamesTheColumn) {
    std::string sql = "insert into WhInvContrapose (cWhCode, cInvCode) values (null, 'A002')";
    EXPECT_FALSE(service->ExecuteX(sql));
    EXPECT_EQ(service->LastError(), "WhInvContrapose.cWhCode不能为空！");
}

struct Sound {
    const char* name;
    std::string sql;
    std::string rows;  // WhInvContrapose afterwards
};

void PrintTo(const Sound& sound, std::ostream* out) {
    *out << sound.name;
}

class SchemaAccepts : public SchemaRules, public ::testing::WithParamInterface<Sound> {};

TEST_P(SchemaAccepts, TheSoundStatementThroughTheService) {
    std::string sql = GetParam().sql;
    ASSERT_TRUE(service->ExecuteX(sql)) << service->LastError();
    EXPECT_EQ(Rows(), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SchemaAccepts,
    ::testing::Values(
        Sound{"NumberAsText", "update WhInvContrapose set iTopSum='12.5'", "01|A001|12.5|周|3|~|~"},
        Sound{"LastDayOfAMonth", "update WhInvContrapose set cFrequency='月', iDays=31",
              "01|A001|100|月|31|~|~"},
        Sound{"DayCycleWithoutDay", "update WhInvContrapose set cFrequency='天', iDays=null",
              "01|A001|100|天|~|~|~"},
        Sound{"LeapDay", "update WhInvContrapose set dLastDate='2024-02-29'",
              "01|A001|100|周|3|2024-02-29|~"},
        Sound{"PersonWithTrailingBlank", "update WhInvContrapose set cWhPersonCode='P01 '",
              "01|A001|100|周|3|~|P01"},
        Sound{"NewPairWithTrailingBlank",
              "insert into WhInvContrapose (cWhCode, cInvCode) values ('01', 'A002 ')",
              "01|A001|100|周|3|~|~;01|A002|~|~|~|~|~"}),
    [](const ::testing::TestParamInfo<Sound>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zel
