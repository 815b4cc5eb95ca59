#include "host/controls/find/find_condition.h"

#include <gtest/gtest.h>

#include "host/database/tsql_adapter.h"
#include "support/case_name.h"
#include "support/date_cases.h"
#include "support/test_database.h"

namespace zel {
namespace {

using enum FindOperator;

const std::vector<FindField> kFields = {
    {"cInvName", "Inventory.cInvName", "存货名称", FieldKind::kText, {}},
    {"cInvStd", "Inventory.cInvStd", "规格型号", FieldKind::kText, {}},
    {"iTopSum", "WhInvContrapose.iTopSum", "最高库存", FieldKind::kNumber, {}},
    {"dLastDate", "WhInvContrapose.dLastDate", "上次盘点日期", FieldKind::kDate, {}},
    {"cFrequency",
     "WhInvContrapose.cFrequency",
     "盘点周期单位",
     FieldKind::kText,
     {"天", "周", "月"}},
};

std::string Built(const std::vector<FindRow>& rows) {
    const auto result = FindCondition(kFields).Build(rows);
    EXPECT_TRUE(result.ok) << result.message;
    return result.sql;
}

struct OneLineCase {
    FindRow row;
    const char* sql;
};

class FindConditionLineTest : public ::testing::TestWithParam<OneLineCase> {};

TEST_P(FindConditionLineTest, GivesTheExactComparison) {
    EXPECT_EQ(Built({GetParam().row}), GetParam().sql);
}

INSTANTIATE_TEST_SUITE_P(
    EveryTypeAndOperator, FindConditionLineTest,
    ::testing::Values(
        OneLineCase{{false, "cInvName", kEqual, "螺钉", ""}, "((Inventory.cInvName = '螺钉'))"},
        OneLineCase{{false, "cInvName", kNotEqual, "螺钉", ""},
                    "((Inventory.cInvName <> '螺钉' or Inventory.cInvName is null))"},
        OneLineCase{{false, "cInvName", kLess, "b", ""}, "((Inventory.cInvName < 'b'))"},
        OneLineCase{{false, "cInvName", kGreater, "b", ""}, "((Inventory.cInvName > 'b'))"},
        OneLineCase{{false, "cInvName", kBetween, "a", "c"},
                    "((Inventory.cInvName between 'a' and 'c'))"},
        OneLineCase{{false, "cInvName", kContains, "50%", ""},
                    R"(((Inventory.cInvName like '%50\%%' escape '\')))"},
        OneLineCase{{false, "cInvName", kBeginsWith, "a_b", ""},
                    R"(((Inventory.cInvName like 'a\_b%' escape '\')))"},
        OneLineCase{{false, "cInvName", kContains, R"([x]\y)", ""},
                    R"(((Inventory.cInvName like '%\[x]\\y%' escape '\')))"},
        OneLineCase{{false, "cInvName", kIsEmpty, "ignored", ""},
                    "((Inventory.cInvName is null or Inventory.cInvName = ''))"},
        OneLineCase{{false, "iTopSum", kEqual, " 100 ", ""}, "((WhInvContrapose.iTopSum = 100))"},
        OneLineCase{{false, "iTopSum", kNotEqual, "007.50", ""},
                    "((WhInvContrapose.iTopSum <> 7.5 or WhInvContrapose.iTopSum is null))"},
        OneLineCase{{false, "iTopSum", kLess, "-0.0", ""}, "((WhInvContrapose.iTopSum < 0))"},
        OneLineCase{{false, "iTopSum", kGreater, "+12", ""}, "((WhInvContrapose.iTopSum > 12))"},
        OneLineCase{{false, "iTopSum", kGreater, "-.25", ""},
                    "((WhInvContrapose.iTopSum > -0.25))"},
        OneLineCase{{false, "iTopSum", kBetween, "10", "2"},
                    "((WhInvContrapose.iTopSum between 2 and 10))"},
        OneLineCase{{false, "iTopSum", kIsEmpty, "", ""}, "((WhInvContrapose.iTopSum is null))"},
        OneLineCase{{false, "dLastDate", kEqual, "2024-3-5", ""},
                    "((WhInvContrapose.dLastDate = '2024-03-05'))"},
        OneLineCase{{false, "dLastDate", kBetween, "2024/03/05", "2024/1/1"},
                    "((WhInvContrapose.dLastDate between '2024-01-01' and '2024-03-05'))"},
        OneLineCase{{false, "dLastDate", kIsEmpty, "", ""},
                    "((WhInvContrapose.dLastDate is null))"},
        OneLineCase{{false, "cFrequency", kEqual, "周", ""},
                    "((WhInvContrapose.cFrequency = '周'))"}),
    [](const auto& info) {
        return ::zel::test::CaseName(std::to_string(info.index) + " " + info.param.sql, info.index);
    });

TEST(FindConditionTest, LinesAreJoinedByTheirOwnAndOrInsideOneParenthesis) {
    EXPECT_EQ(Built({{true, "cInvName", kContains, "钉", ""},
                     {true, "iTopSum", kGreater, "5", ""},
                     {false, "cFrequency", kEqual, "天", ""}}),
              R"(((Inventory.cInvName like '%钉%' escape '\') or (WhInvContrapose.iTopSum > 5))"
              " and (WhInvContrapose.cFrequency = '天'))");
}

TEST(FindConditionTest, NoLinesFindEverythingAndUnknownFieldsAreLeftOut) {
    EXPECT_EQ(Built({}), "(1=1)");
    EXPECT_EQ(Built({{false, "cGone", kEqual, "x", ""}, {false, "iTopSum", kEqual, "1", ""}}),
              "((WhInvContrapose.iTopSum = 1))");
}

TEST(FindConditionTest, JoinedKeepsParenthesesOnlyWhereAnOrNeedsThem) {
    const auto joined = [](const std::vector<FindRow>& rows) {
        return FindCondition(kFields).Joined(rows).sql;
    };
    EXPECT_EQ(joined({}), "1=1");
    EXPECT_EQ(joined({{true, "iTopSum", kLessOrEqual, "1", ""}}), "WhInvContrapose.iTopSum <= 1");
    EXPECT_EQ(joined({{false, "iTopSum", kGreaterOrEqual, "1", ""},
                      {false, "cInvName", kIsEmpty, "", ""}}),
              "WhInvContrapose.iTopSum >= 1 and (Inventory.cInvName is null or "
              "Inventory.cInvName = '')");
    EXPECT_EQ(joined({{false, "iTopSum", kEqual, "1", ""}, {true, "iTopSum", kIsEmpty, "", ""}}),
              "(WhInvContrapose.iTopSum = 1 or WhInvContrapose.iTopSum is null)");
    EXPECT_FALSE(FindCondition(kFields).Joined({{false, "iTopSum", kEqual, "x", ""}}).ok);
}

// A date is searched for as every other reader of dates reads it; an empty value is no condition.
TEST(FindConditionTest, DatesAreThoseTheDateRuleReads) {
    for (const test::DateCase& c : test::kDateCases) {
        if (std::string_view(c.text).empty()) {
            continue;
        }
        const auto result = FindCondition::Checked(kFields[3], c.text);
        EXPECT_EQ(result.ok, c.stored != nullptr) << c.text;
        EXPECT_EQ(result.sql, c.stored ? c.stored : "") << c.text;
    }
}

TEST(FindConditionTest, CheckedGivesTheValueInTheFieldsOwnForm) {
    struct Case {
        std::size_t field;
        const char* value;
        bool ok;
        const char* checked;
    };
    for (const Case& c : {Case{0, "O'Brien ", true, "O'Brien "}, Case{0, "  ", true, ""},
                          Case{2, " 007.50", true, "7.5"}, Case{2, "", true, ""},
                          Case{2, "1 or 1=1", false, ""}, Case{3, "2024/3/5", true, "2024-03-05"},
                          Case{3, "2024-02-30", false, ""}, Case{4, "周", true, "周"}}) {
        const auto result = FindCondition::Checked(kFields[c.field], c.value);
        EXPECT_EQ(result.ok, c.ok) << c.value;
        EXPECT_EQ(result.sql, c.checked) << c.value;
        EXPECT_EQ(result.message.empty(), c.ok) << c.value;
    }
}

TEST(FindConditionTest, HostileTextsStayInsideTheirLiterals) {
    EXPECT_EQ(Built({{false, "cInvName", kEqual, "x' or '1'='1", ""}}),
              "((Inventory.cInvName = 'x'' or ''1''=''1'))");
    EXPECT_EQ(
        Built({{false, "cInvName", kBeginsWith, "O'Brien%'; drop table Inventory; --", ""}}),
        R"(((Inventory.cInvName like 'O''Brien\%''; drop table Inventory; --%' escape '\')))");
    EXPECT_EQ(Built({{false, "cInvStd", kBetween, "'", "''"}}),
              "((Inventory.cInvStd between '''' and ''''''))");
}

TEST(FindConditionTest, TheDialectAdapterKeepsPatternsAndTheirEscapeAsWritten) {
    const std::string condition = Built({{false, "cInvName", kContains, "50% [a]_ ", ""},
                                         {true, "cInvName", kBeginsWith, "'\\", ""}});
    EXPECT_EQ(TsqlAdapter::ToSqlite("select * from Inventory where " + condition),
              "select * from Inventory where " + condition);
}

struct ConditionRefusalCase {
    FindRow row;
    std::vector<std::string> inMessage;
};

class FindConditionRefusalTest : public ::testing::TestWithParam<ConditionRefusalCase> {};

TEST_P(FindConditionRefusalTest, NamesTheFieldAndTheValue) {
    const auto result =
        FindCondition(kFields).Build({{false, "cInvName", kEqual, "fine", ""}, GetParam().row});
    ASSERT_FALSE(result.ok);
    EXPECT_TRUE(result.sql.empty());
    for (const auto& part : GetParam().inMessage) {
        EXPECT_NE(result.message.find(part), std::string::npos) << result.message;
    }
}

INSTANTIATE_TEST_SUITE_P(
    ValuesThatDoNotFit, FindConditionRefusalTest,
    ::testing::Values(
        ConditionRefusalCase{{false, "iTopSum", kEqual, "abc", ""}, {"最高库存", "abc", "数字"}},
        ConditionRefusalCase{{false, "iTopSum", kEqual, "1e5", ""}, {"1e5", "数字"}},
        ConditionRefusalCase{{false, "iTopSum", kEqual, "1,5", ""}, {"1,5", "数字"}},
        ConditionRefusalCase{{false, "iTopSum", kLess, "1 or 1=1", ""}, {"1 or 1=1", "数字"}},
        ConditionRefusalCase{{false, "iTopSum", kBetween, "1", "x"}, {"最高库存", "“x”"}},
        ConditionRefusalCase{{false, "dLastDate", kEqual, "2024-02-30", ""},
                             {"上次盘点日期", "日期"}},
        ConditionRefusalCase{{false, "dLastDate", kEqual, "2024-03-05' or '1'='1", ""}, {"日期"}},
        ConditionRefusalCase{{false, "cInvName", kContains, "  ", ""}, {"存货名称", "请输入"}},
        ConditionRefusalCase{{false, "iTopSum", kBetween, "1", ""}, {"最高库存", "请输入"}}),
    [](const auto& info) {
        return ::zel::test::CaseName(std::to_string(info.index) + " " + info.param.row.field + " " +
                                         info.param.row.value + " " + info.param.row.value2,
                                     info.index);
    });

// The grid's query with the condition appended, run on SQLite through the database service.
class FindConditionDatabaseTest : public ::testing::Test {
protected:
    FindConditionDatabaseTest() {
        database.AddWarehouse("01");
        database.AddWarehouse("02");
        database.AddPerson("P1", "张三");
        Add("A1", "螺钉 50%", {{"iTopSum", 100}, {"cFrequency", "天"}});
        Add("A2", "螺钉 500", {{"iTopSum", 5.5}, {"dLastDate", "2024-03-05"}});
        Add("A3", "a_b", {{"cFrequency", "周"}, {"iDays", 3}, {"dLastDate", "2024-01-31"}});
        Add("A4", "axb", {{"iTopSum", 0}});
        Add("A5", "O'Brien", {{"iTopSum", -2.25}, {"cWhPersonCode", "P1"}});
        Add("A6", R"(back\slash)", {});
        Add("A7", "[x] 盒", {{"dLastDate", "2023-12-31"}});
        database.AddInventory("B1", "螺钉 50%", {{"cInvStd", "M6"}});
        database.AddCorrespondence("02", "B1", {{"iTopSum", 100}});
        service = database.OpenService();
    }

    void Add(const std::string& code, const std::string& name,
             const std::map<std::string, Variant>& columns) {
        database.AddInventory(code, name, {{"cInvStd", code == "A2" ? Variant("") : Variant()}});
        database.AddCorrespondence("01", code, columns);
    }

    using Maker = FindCondition::Result (FindCondition::*)(const std::vector<FindRow>&) const;

    std::vector<std::string> Found(const std::vector<FindRow>& rows,
                                   Maker make = &FindCondition::Build) {
        const auto result = (FindCondition(kFields).*make)(rows);
        EXPECT_TRUE(result.ok) << result.message;
        std::string sql =
            "Select WhInvContrapose.cInvCode,Inventory.cInvName,WhInvContrapose.iTopSum "
            "from WhInvContrapose inner join Inventory "
            "on WhInvContrapose.cInvCode=Inventory.cInvCode "
            "Left join Person on WhInvContrapose.cWhPersonCode=Person.cPersonCode "
            "where WhInvContrapose.CWhCode='01' and (1=1) and " +
            result.sql + " ORDER BY WhInvContrapose.cInvCode asc";
        std::vector<std::string> codes;
        const auto found = service->OpenX(sql);
        EXPECT_TRUE(found) << sql;
        for (; found && !found->Eof(); found->MoveNext()) {
            codes.push_back(found->Fields(0)->ToString());
        }
        return codes;
    }

    test::TestDatabase database;
    std::shared_ptr<IClsCommon> service;
};

using Codes = std::vector<std::string>;

TEST_F(FindConditionDatabaseTest, PatternsMatchPercentUnderscoreAndBracketsLiterally) {
    EXPECT_EQ(Found({{false, "cInvName", kContains, "50%", ""}}), Codes({"A1"}));
    EXPECT_EQ(Found({{false, "cInvName", kContains, "50", ""}}), Codes({"A1", "A2"}));
    EXPECT_EQ(Found({{false, "cInvName", kBeginsWith, "a_", ""}}), Codes({"A3"}));
    EXPECT_EQ(Found({{false, "cInvName", kBeginsWith, "a", ""}}), Codes({"A3", "A4"}));
    EXPECT_EQ(Found({{false, "cInvName", kContains, R"(k\s)", ""}}), Codes({"A6"}));
    EXPECT_EQ(Found({{false, "cInvName", kBeginsWith, "[x]", ""}}), Codes({"A7"}));
    EXPECT_EQ(Found({{false, "cInvName", kContains, "'", ""}}), Codes({"A5"}));
}

TEST_F(FindConditionDatabaseTest, ApostrophesAndHostileTextsFindOnlyTheirOwnRows) {
    EXPECT_EQ(Found({{false, "cInvName", kEqual, "O'Brien", ""}}), Codes({"A5"}));
    EXPECT_EQ(Found({{false, "cInvName", kEqual, "x' or '1'='1", ""}}), Codes());
    EXPECT_EQ(Found({{false, "cInvName", kContains, "%' or '1'='1", ""}}), Codes());
    EXPECT_EQ(database.Scalar("select count(*) from Inventory").ToString(), "8");
}

TEST_F(FindConditionDatabaseTest, NumbersCompareAsNumbers) {
    EXPECT_EQ(Found({{false, "iTopSum", kEqual, "100.000", ""}}), Codes({"A1"}));
    EXPECT_EQ(Found({{false, "iTopSum", kGreater, "-3", ""}}), Codes({"A1", "A2", "A4", "A5"}));
    EXPECT_EQ(Found({{false, "iTopSum", kLess, "5.5", ""}}), Codes({"A4", "A5"}));
    EXPECT_EQ(Found({{false, "iTopSum", kLessOrEqual, "0", ""}}), Codes({"A4", "A5"}));
    EXPECT_EQ(Found({{false, "iTopSum", kGreaterOrEqual, "0", ""}}), Codes({"A1", "A2", "A4"}));
    EXPECT_EQ(Found({{false, "iTopSum", kBetween, "10", "-2.25"}}), Codes({"A2", "A4", "A5"}));
    EXPECT_EQ(Found({{false, "iTopSum", kNotEqual, "100", ""}}),
              Codes({"A2", "A3", "A4", "A5", "A6", "A7"}));
    EXPECT_EQ(Found({{false, "iTopSum", kIsEmpty, "", ""}}), Codes({"A3", "A6", "A7"}));
}

TEST_F(FindConditionDatabaseTest, DatesListsAndEmptyTexts) {
    EXPECT_EQ(Found({{false, "dLastDate", kBetween, "2024-3-5", "2024-01-01"}}),
              Codes({"A2", "A3"}));
    EXPECT_EQ(Found({{false, "dLastDate", kLess, "2024-01-31", ""}}), Codes({"A7"}));
    EXPECT_EQ(Found({{false, "cFrequency", kEqual, "周", ""}}), Codes({"A3"}));
    // A2's specification is blank, the others have none at all.
    EXPECT_EQ(Found({{false, "cInvStd", kIsEmpty, "", ""}}),
              Codes({"A1", "A2", "A3", "A4", "A5", "A6", "A7"}));
}

TEST_F(FindConditionDatabaseTest, AnOrLineCannotEscapeTheCallersCondition) {
    // Warehouse 02 holds a B1 named like A1: the "or" must stay inside the find condition.
    EXPECT_EQ(
        Found({{false, "cInvName", kContains, "50%", ""}, {true, "iTopSum", kEqual, "0", ""}}),
        Codes({"A1", "A4"}));
    EXPECT_EQ(Found({{false, "cInvName", kContains, "螺钉", ""},
                     {false, "iTopSum", kGreater, "10", ""},
                     {true, "cFrequency", kEqual, "周", ""}}),
              Codes({"A1", "A3"}));
    EXPECT_EQ(Found({{false, "cInvName", kContains, "50%", ""}, {true, "iTopSum", kEqual, "0", ""}},
                    &FindCondition::Joined),
              Codes({"A1", "A4"}));
    EXPECT_EQ(
        Found({{false, "iTopSum", kNotEqual, "100", ""}, {false, "cInvName", kEqual, "axb", ""}},
              &FindCondition::Joined),
        Codes({"A4"}));
}

}  // namespace
}  // namespace zel
