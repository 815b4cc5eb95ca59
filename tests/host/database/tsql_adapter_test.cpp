#include "host/database/tsql_adapter.h"

#include <gtest/gtest.h>

#include "support/test_database.h"

namespace zel {
namespace {

// The join tail every bulk change of the multi-record window ends with.
const std::string kUpdateTail =
    " from whinvcontrapose Left join Warehouse on  whinvcontrapose.cWhCode=Warehouse.cWhCode "
    "left join Inventory on whinvcontrapose.cInvCode=Inventory.cInvcode where ";

struct Rewrite {
    const char* name;
    std::string host;
    std::string sqlite;
};

void PrintTo(const Rewrite& rewrite, std::ostream* out) {
    *out << rewrite.name;
}

class TsqlAdapterRewrite : public ::testing::TestWithParam<Rewrite> {};

TEST_P(TsqlAdapterRewrite, GivesTheExpectedSqliteText) {
    EXPECT_EQ(TsqlAdapter::ToSqlite(GetParam().host), GetParam().sqlite);
}

INSTANTIATE_TEST_SUITE_P(
    Statements, TsqlAdapterRewrite,
    ::testing::Values(
        Rewrite{"TopBecomesLimit",
                "select top 1 CWhName from Warehouse where cWhCode='01' and  (1=1)",
                "select CWhName from Warehouse where cWhCode='01' and  (1=1) limit 1"},
        Rewrite{"TopWithTwoBlanks",
                "select top 1  CWhCode,CWhName from warehouse where CWhCode='01'",
                "select CWhCode,CWhName from warehouse where CWhCode='01' limit 1"},
        Rewrite{"TopInParentheses", "SELECT TOP (5) * FROM Person ORDER BY cPersonCode",
                "SELECT * FROM Person ORDER BY cPersonCode limit 5"},
        Rewrite{"TopInASubqueryEndsThere",
                "select * from Person where cPersonCode in (select top 2 cPersonCode from "
                "Person order by cPersonCode) order by cPersonName",
                "select * from Person where cPersonCode in (select cPersonCode from Person "
                "order by cPersonCode limit 2) order by cPersonName"},
        Rewrite{"TopBeforeTheEndingSemicolon", "select top 3 * from Person ;",
                "select * from Person limit 3 ;"},
        Rewrite{"BracketAliasesBecomeQuotedNames",
                "Select cInvCode as [存货编码],cInvName as [存货 名称] from Inventory",
                "Select cInvCode as \"存货编码\",cInvName as \"存货 名称\" from Inventory"},
        Rewrite{"BracketWithDoubledCloseAndAQuote", "select 1 as [a]]\"b]",
                "select 1 as \"a]\"\"b\""},
        Rewrite{"QuotedTextsStayAsTheyAre",
                "select * from Warehouse where cWhName='select top 1 [a]' and cWhCode='it''s'",
                "select * from Warehouse where cWhName='select top 1 [a]' and cWhCode='it''s'"},
        Rewrite{"QuotedNamesStayAsTheyAre", "select \"[a]\" from \"top 1\"",
                "select \"[a]\" from \"top 1\""},
        Rewrite{"MixedCaseNamesAreKept",
                "Select WhInvContrapose.cInvCode From WhInvContrapose Where CWhCode='01'",
                "Select WhInvContrapose.cInvCode From WhInvContrapose Where CWhCode='01'"},
        Rewrite{"UpdateFromJoinChangesOnlyTheSelectedRows",
                "update WhInvContrapose set  iTopSum='50'" + kUpdateTail +
                    "whinvcontrapose.cInvCode='A001' and (1=1) and (1=1)",
                "update WhInvContrapose set  iTopSum='50' where rowid in (select "
                "whinvcontrapose.rowid" +
                    kUpdateTail + "whinvcontrapose.cInvCode='A001' and (1=1) and (1=1))"},
        Rewrite{"QualifiedSetTargetBecomesBare",
                "update WhInvContrapose set  whinvcontrapose.iTopSum=NULL" + kUpdateTail + "1=1",
                "update WhInvContrapose set  iTopSum=NULL where rowid in (select "
                "whinvcontrapose.rowid" +
                    kUpdateTail + "1=1)"},
        Rewrite{"QualifiedSetTargetWithoutFrom",
                "update WhInvContrapose set whinvcontrapose.cInvCode='x' where CWhCode='01' and "
                "cInvCode='A001'",
                "update WhInvContrapose set cInvCode='x' where CWhCode='01' and cInvCode='A001'"},
        Rewrite{"UpdateThroughAnAlias",
                "update w set w.iDays=3 from WhInvContrapose w join Inventory on "
                "w.cInvCode=Inventory.cInvCode where Inventory.cInvName='螺钉'",
                "update WhInvContrapose set iDays=3 where rowid in (select w.rowid from "
                "WhInvContrapose w join Inventory on w.cInvCode=Inventory.cInvCode where "
                "Inventory.cInvName='螺钉')"},
        Rewrite{"UpdateFromWithoutTheTargetIsLeftToTheEngine",
                "update WhInvContrapose set iDays=1 from Inventory where "
                "Inventory.cInvCode=WhInvContrapose.cInvCode",
                "update WhInvContrapose set iDays=1 from Inventory where "
                "Inventory.cInvCode=WhInvContrapose.cInvCode"},
        Rewrite{"TextThatLooksLikeFromInsideAnUpdateValue",
                "update WhInvContrapose set cWhPersonCode=' from x where ' where cWhCode='01'",
                "update WhInvContrapose set cWhPersonCode=' from x where ' where cWhCode='01'"},
        Rewrite{"ComparedTextsLoseTrailingBlanks",
                "select * from Warehouse where cWhCode='01  ' or cWhCode <> 'x ' or "
                "'y '=cWhName or cWhCode!='it''s ' or cWhCode='  '",
                "select * from Warehouse where cWhCode='01' or cWhCode <> 'x' or "
                "'y'=cWhName or cWhCode!='it''s' or cWhCode=''"},
        Rewrite{"ListedTextsLoseTrailingBlanks",
                "delete from WhInvContrapose where cInvCode IN ( 'A001 ' , 'A002') and cWhCode "
                "not in (select cWhCode from Warehouse where cWhName='a ')",
                "delete from WhInvContrapose where cInvCode IN ( 'A001' , 'A002') and cWhCode "
                "not in (select cWhCode from Warehouse where cWhName='a')"},
        Rewrite{"ObjectIdLooksTheTableUp",
                "select case when object_id('WhInvContrapose_set_aside') is null then 0 end",
                "select case when (select min(rowid) from sqlite_master where type in "
                "('table', 'view') and name = 'WhInvContrapose_set_aside' collate nocase) is "
                "null then 0 end"},
        Rewrite{"ObjectIdOfAnythingButATextIsLeft", "select object_id(cWhCode) from Warehouse",
                "select object_id(cWhCode) from Warehouse"},
        Rewrite{"AssignedLikeAndLeadingBlanksStay",
                "update WhInvContrapose set cWhPersonCode='P01 ', iDays=(' 1 ') where "
                "cWhCode=' 01 ' and cInvCode like 'A0 %' and cInvCode=upper('a ')",
                "update WhInvContrapose set cWhPersonCode='P01 ', iDays=(' 1 ') where "
                "cWhCode=' 01' and cInvCode like 'A0 %' and cInvCode=upper('a ')"}),
    [](const ::testing::TestParamInfo<Rewrite>& info) { return std::string(info.param.name); });

// The engine's names reach only the words the host gives them: not quoted texts or names.
TEST(TsqlAdapterForPostgres, NamesTheRowIdentityAndTheTableNumberItsWay) {
    EXPECT_EQ(
        TsqlAdapter::ToPostgres("select cast(rowid as varchar(40)) as \"rowid\", 'rowid' "
                                "from T where object_id ( 'T' ) is not null order by t.ROWID"),
        "select cast(ctid as varchar(40)) as \"rowid\", 'rowid' from T where "
        "(to_regclass('T')::oid::bigint) is not null order by t.ctid");
}

// The adapted statements run on a real account: they must read and change exactly the rows
// the host's server would.
// The adapter walks the tokens without recursing, so any nesting passes through to the engine,
// whose own parser refuses what is too deep.
std::string DeeplyNested(int depth, const std::string& condition) {
    return std::string(static_cast<std::size_t>(depth), '(') + condition +
           std::string(static_cast<std::size_t>(depth), ')');
}

constexpr int kDeepNestings[] = {30'000, 1'000'000};

TEST(TsqlAdapterNesting, DeepParenthesesAreKeptAsWritten) {
    for (const int depth : kDeepNestings) {
        const std::string host =
            "select top 1 cWhName from Warehouse where " + DeeplyNested(depth, "cWhCode='01 '");
        const std::string sqlite = "select cWhName from Warehouse where " +
                                   DeeplyNested(depth, "cWhCode='01'") + " limit 1";
        EXPECT_EQ(TsqlAdapter::ToSqlite(host), sqlite) << depth;
    }
}

class TsqlAdapterOnDatabase : public ::testing::Test {
protected:
    void SetUp() override {
        db.AddWarehouse("01", "成品库");
        db.AddWarehouse("02", "原料库");
        db.AddInventory("A001", "螺钉", {{"cInvAddCode", "LD"}, {"cDefWareHouse", "01"}});
        db.AddInventory("A002", "螺母");
        db.AddInventory("A003", "垫片");
        db.AddCorrespondence("01", "A001", {{"iTopSum", 100}, {"iLowSum", 10}});
        db.AddCorrespondence("01", "A002", {{"iTopSum", 100}, {"iLowSum", 60}});
        db.AddCorrespondence("02", "A001", {{"iTopSum", 100}, {"iLowSum", 10}});
        service = db.OpenService();
    }

    std::string Text(const std::string& sql) { return db.Scalar(sql).ToString(); }

    test::TestDatabase db;
    std::shared_ptr<IClsCommon> service;
};

TEST_F(TsqlAdapterOnDatabase, CodesWithTrailingBlanksFindTheirRows) {
    std::string sql =
        "select count(*) as n from WhInvContrapose where cWhCode='01 ' and cInvCode in "
        "('a001  ', 'A002 ')";
    auto rows = service->OpenX(sql);
    ASSERT_TRUE(rows) << service->LastError();
    EXPECT_EQ(*rows->Fields("n"), Variant(2));
    std::string update = "update WhInvContrapose set iTopSum=7 where cWhCode<>'01 '";
    ASSERT_TRUE(service->ExecuteX(update));
    EXPECT_EQ(Text("select group_concat(cWhCode || iTopSum) from WhInvContrapose"),
              "01100,01100,027");
}

TEST_F(TsqlAdapterOnDatabase, SelectTopReadsOneRow) {
    std::string sql = "select top 1  CWhCode,CWhName from warehouse where CWhCode='01'";
    auto rows = service->OpenX(sql);
    ASSERT_TRUE(rows) << service->LastError();
    EXPECT_EQ(rows->RecordCount(), 1);
    EXPECT_EQ(rows->Fields("CWhName")->ToString(), "成品库");

    std::string all = "select top 2 * from WhInvContrapose order by cInvCode";
    rows = service->OpenX(all);
    ASSERT_TRUE(rows) << service->LastError();
    EXPECT_EQ(rows->RecordCount(), 2);
}

TEST_F(TsqlAdapterOnDatabase, CaptionAliasesNameTheFields) {
    std::string sql =
        "Select cInvCode as [存货编码],cInvAddCode as [存货代码] from Inventory  Left Join "
        "InventoryClass on Inventory.cInvCCode=InventoryClass.cInvCCode  Where (1=1)  Order by "
        "Inventory.cInvCCode,cInvCode ASC";
    auto rows = service->Openforward(sql);
    ASSERT_TRUE(rows) << service->LastError();
    EXPECT_EQ(rows->FieldName(0), "存货编码");
    EXPECT_EQ(rows->Fields("存货代码")->ToString(), "LD");
}

TEST_F(TsqlAdapterOnDatabase, SetUpdateChangesExactlyTheRowsTheConditionSelects) {
    std::string sql = "update WhInvContrapose set  whinvcontrapose.iSafeNum='50'" + kUpdateTail +
                      "WhInvContrapose.cWhCode='01' and (WhInvContrapose.iLowSum<=50 or "
                      "WhInvContrapose.iLowSum is null) and (1=1) and (1=1)";
    ASSERT_TRUE(service->ExecuteX(sql)) << service->LastError();
    EXPECT_EQ(Text("select group_concat(cWhCode||cInvCode) from WhInvContrapose where "
                   "iSafeNum=50"),
              "01A001");
    EXPECT_EQ(Text("select count(*) from WhInvContrapose where iSafeNum is null"), "2");
}

TEST_F(TsqlAdapterOnDatabase, SetUpdateConditionOnAJoinedTable) {
    std::string sql = "update WhInvContrapose set  iDays=NULL" + kUpdateTail +
                      "Inventory.cInvName='螺母' and (1=1) and (Warehouse.CWhCode in ('01'))";
    db.Execute("update WhInvContrapose set iDays=5");
    ASSERT_TRUE(service->ExecuteX(sql)) << service->LastError();
    EXPECT_EQ(Text("select group_concat(cInvCode) from WhInvContrapose where iDays is null"),
              "A002");
}

TEST_F(TsqlAdapterOnDatabase, SetUpdateThatSelectsNothingIsNotASuccess) {
    std::string sql = "update WhInvContrapose set  iTopSum='1'" + kUpdateTail + "(1=2)";
    EXPECT_FALSE(service->ExecuteX(sql));
    EXPECT_EQ(Text("select count(*) from WhInvContrapose where iTopSum=100"), "3");
}

TEST_F(TsqlAdapterOnDatabase, KeyChangeRowByRowMovesOneRowAndRefusesACollision) {
    std::string move =
        "update WhInvContrapose set whinvcontrapose.cInvCode='A003' where CWhCode='01' and "
        "cInvCode='A001'";
    ASSERT_TRUE(service->ExecuteX(move)) << service->LastError();
    std::string collide =
        "update WhInvContrapose set cInvCode='A002' where CWhCode='01' and cInvCode='A003'";
    EXPECT_FALSE(service->ExecuteX(collide));
    EXPECT_EQ(Text("select group_concat(cWhCode||cInvCode) from (select * from WhInvContrapose "
                   "order by cWhCode, cInvCode) as t"),
              "01A002,01A003,02A001");
}

TEST_F(TsqlAdapterOnDatabase, DeepNestingIsRefusedByTheEngine) {
    for (const int depth : kDeepNestings) {
        const std::string sql =
            "select top 1 cWhName from Warehouse where " + DeeplyNested(depth, "cWhCode='01 '");
        EXPECT_FALSE(service->OpenX(sql)) << depth;
    }
    auto rows = service->OpenX("select top 1 cWhName from Warehouse where ((cWhCode='01 '))");
    ASSERT_TRUE(rows) << service->LastError();
    EXPECT_EQ(rows->Fields("cWhName")->ToString(), "成品库");
}

// Whether a table is there is asked without a failing statement, in any letter case; a row
// found by its identity is found again by it.
TEST_F(TsqlAdapterOnDatabase, TablesAreLookedUpAndRowsFoundByTheirIdentity) {
    auto rows = service->OpenX(
        "select case when object_id('WAREHOUSE') is null then 0 else 1 end as there, case when "
        "object_id('WhInvContrapose_set_aside') is null then 0 else 1 end as missing");
    ASSERT_TRUE(rows) << service->LastError();
    EXPECT_EQ(rows->Fields("there")->ToString(), "1");
    EXPECT_EQ(rows->Fields("missing")->ToString(), "0");

    rows = service->OpenX(
        "select cast(rowid as varchar(40)) as id from Warehouse where "
        "cWhCode='02'");
    ASSERT_TRUE(rows) << service->LastError();
    const std::string identity = rows->Fields("id")->ToString();
    rows = service->OpenX("select cWhName from Warehouse where cast(rowid as varchar(40))='" +
                          identity + "'");
    ASSERT_TRUE(rows) << service->LastError();
    ASSERT_FALSE(rows->Eof());
    EXPECT_EQ(rows->Fields("cWhName")->ToString(), "原料库");
}

}  // namespace
}  // namespace zel
