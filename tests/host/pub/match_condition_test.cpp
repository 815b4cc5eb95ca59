#include "host/pub/match_condition.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/test_database.h"

namespace zel {
namespace {

struct MatchCase {
    const char* text;
    const char* fields;
    const char* table;
    const char* condition;
};

TEST(MatchCondition, BuildsOneContainsTestPerField) {
    const std::vector<MatchCase> cases = {
        {"A1", "cInvCode,cInvName", "Inventory",
         "(Inventory.cInvCode like '%A1%' escape '!' or Inventory.cInvName like '%A1%' escape "
         "'!')"},
        {"张", "cPersonCode,cPersonName", "",
         "(cPersonCode like '%张%' escape '!' or cPersonName like '%张%' escape '!')"},
        {"  01 ", " cWhCode , ,cWhName,", "Warehouse",
         "(Warehouse.cWhCode like '%01%' escape '!' or Warehouse.cWhName like '%01%' escape '!')"},
        {"50%_[!", "cInvName", "", "(cInvName like '%50!%!_![!!%' escape '!')"},
        {"O'Brien", "cInvName", "", "(cInvName like '%O''Brien%' escape '!')"},
        {"x", "Person.cPersonCode", "Inventory", "(Person.cPersonCode like '%x%' escape '!')"},
        // Names that are no plain SQL names never reach the text.
        {"x", "cInvCode;drop table Inventory,1=1 or cInvName,cInvName", "",
         "(cInvName like '%x%' escape '!')"},
        {"x", "cInvName", "Inventory i", "(cInvName like '%x%' escape '!')"},
        {"x", "a..b,.a,a.,9a", "", "1=1"},
        {"", "cInvCode", "Inventory", "1=1"},
        {"   ", "cInvCode", "Inventory", "1=1"},
        {"x", "", "Inventory", "1=1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchCondition(c.text, c.fields, c.table), c.condition)
            << c.text << " | " << c.fields << " | " << c.table;
    }
}

// The condition as the picker's query hands it to the database service.
class MatchConditionQueryTest : public ::testing::Test {
protected:
    MatchConditionQueryTest() {
        for (const auto& [code, name] : std::vector<std::pair<const char*, const char*>>{
                 {"P1", "50%off"},
                 {"P2", "50 off"},
                 {"P3", "a_b"},
                 {"P4", "axb"},
                 {"P5", "O'Brien"},
                 {"P6", "[x]"},
                 {"P7", "x"},
                 {"P8", "a!b"},
                 {"P9", "螺钉M6"},
             }) {
            database.AddInventory(code, name);
        }
    }

    std::vector<std::string> Found(const char* text) {
        std::string sql = "select cInvCode from Inventory where " +
                          MatchCondition(text, "cInvCode,cInvName", "Inventory") +
                          " order by cInvCode";
        std::vector<std::string> codes;
        const auto rows = service->OpenX(sql);
        EXPECT_NE(rows, nullptr) << sql;
        for (; rows && !rows->Eof(); rows->MoveNext()) {
            codes.push_back(rows->Fields(0)->ToString());
        }
        return codes;
    }

    test::TestDatabase database;
    std::shared_ptr<IClsCommon> service = database.OpenService();
};

TEST_F(MatchConditionQueryTest, PatternCharactersMatchOnlyThemselves) {
    using Codes = std::vector<std::string>;
    EXPECT_EQ(Found("50%"), Codes{"P1"});
    EXPECT_EQ(Found("a_b"), Codes{"P3"});
    EXPECT_EQ(Found("O'Brien"), Codes{"P5"});
    EXPECT_EQ(Found("[x]"), Codes{"P6"});
    EXPECT_EQ(Found("!"), Codes{"P8"});
    EXPECT_EQ(Found("m6"), Codes{"P9"});
    EXPECT_EQ(Found("p1"), Codes{"P1"});
    EXPECT_EQ(Found("").size(), 9U);
}

}  // namespace
}  // namespace zel
