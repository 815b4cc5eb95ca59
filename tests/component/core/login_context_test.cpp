#include "core/login_context.h"

#include <gtest/gtest.h>

#include "fake_services.h"
#include "support/scripted_dialogs.h"

namespace korvel::test {
namespace {

TEST(AuthCondition, TurnsTheHostAnswerIntoAParenthesisedCondition) {
    struct Case {
        std::string_view prefix;
        std::string answer;
        std::string condition;
    };
    const Case cases[] = {
        {"( Inventory.iId in (", "1=2", "(1=2)"},
        {"( Inventory.iId in (", "", "(1=1)"},
        {"( Inventory.iId in (", "3,5", "( Inventory.iId in (3,5))"},
        {"(Warehouse.CWhCode in (", "'01','02'", "(Warehouse.CWhCode in ('01','02'))"},
        {"(Warehouse.CWhCode in (", "1=2 ", "(Warehouse.CWhCode in (1=2 ))"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AuthCondition(c.prefix, c.answer), c.condition) << c.answer;
    }
}

struct InitAuthFixture : ::testing::Test {
    zel::test::ScriptedDialogs dialogs;
    std::shared_ptr<Journal> journal = std::make_shared<Journal>();
    std::shared_ptr<FakePub> pub = std::make_shared<FakePub>(journal, dialogs);
    std::shared_ptr<FakeRowAuth> rowAuth = std::make_shared<FakeRowAuth>(journal);
    LoginContext context;

    void SetUp() override {
        context.login = std::make_shared<FakeLogin>();
        context.pub = pub;
        context.rowAuth = rowAuth;
    }
};

TEST_F(InitAuthFixture, BuildsTheFourRowConditionsAndKeepsThePersonConditionsAsGiven) {
    rowAuth->answers = {
        {"Inventory", "1,2"}, {"InventoryW", "1=2"}, {"Warehouse", "'01'"}, {"WarehouseW", ""}};
    pub->personAuth = {{"", "(Person.cPersonCode in ('p1'))"}, {"W", "(1=1)"}};
    InitAuth(context);
    EXPECT_EQ(context.sAuthInv, "( Inventory.iId in (1,2))");
    EXPECT_EQ(context.sAuthInvW, "(1=2)");
    EXPECT_EQ(context.sAuthWh, "(Warehouse.CWhCode in ('01'))");
    EXPECT_EQ(context.sAuthWhW, "(1=1)");
    EXPECT_EQ(context.sAuthPerson, "(Person.cPersonCode in ('p1'))");
    EXPECT_EQ(context.sAuthPersonW, "(1=1)");
    EXPECT_EQ(*journal, (Journal{"GetAuthString Inventory", "GetAuthString InventoryW",
                                 "GetAuthString Warehouse", "GetAuthString WarehouseW"}));
    EXPECT_EQ(pub->calls, (std::vector<std::string>{"GetAuth Person u01 acc001 ",
                                                    "GetAuth Person u01 acc001 W"}));
}

TEST_F(InitAuthFixture, AFailingCallLeavesItsConditionClosedAndTheOthersGoOn) {
    rowAuth->answers.erase("Warehouse");
    pub->failPersonAuth = true;
    InitAuth(context);
    EXPECT_EQ(context.sAuthInv, "(1=1)");
    EXPECT_EQ(context.sAuthWh, "(1=2)");
    EXPECT_EQ(context.sAuthWhW, "(1=1)");
    EXPECT_EQ(context.sAuthPerson, "(1=2)");
    EXPECT_EQ(context.sAuthPersonW, "(1=2)");
}

}  // namespace
}  // namespace korvel::test
