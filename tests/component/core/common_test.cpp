#include "core/common.h"

#include <gtest/gtest.h>

#include <sstream>

#include "fake_services.h"
#include "support/scripted_dialogs.h"

namespace korvel::test {
namespace {

const std::string kSettingsQuery = "select * from AccInformation where cSysID='AA'";
const std::string kDigitsFilter = "cID='19' and cName='iStrsQuanDecDgt'";

std::string StyleOf(const ComponentContext& context) {
    std::ostringstream text;
    context.quantity.Element().print(text, "", pugi::format_raw);
    return text.str();
}

std::string StyleFor(int digits) {
    const std::string d = std::to_string(digits);
    return "<style><iwastage>" + d + "</iwastage><ilowsum>" + d + "</ilowsum><isafenum>" + d +
           "</isafenum><itopsum>" + d + "</itopsum></style>";
}

struct CommonFixture : ::testing::Test {
    zel::test::ScriptedDialogs dialogs;
    std::shared_ptr<Journal> journal = std::make_shared<Journal>();
    std::shared_ptr<FakePub> pub = std::make_shared<FakePub>(journal, dialogs);
    std::shared_ptr<FakeDb> db = std::make_shared<FakeDb>(journal);
    ComponentContext context;

    void SetUp() override {
        pub->texts = HostTexts();
        context.login.pub = pub;
        context.login.db = db;
    }
    // The account table with the digits row among others.
    std::shared_ptr<FakeRecordset> Settings(zel::Variant cValue, zel::Variant cDefault) {
        auto settings = std::make_shared<FakeRecordset>(std::vector<FakeRecordset::Row>{
            {{"cID", "18"}, {"cName", "iStrsPriceDecDgt"}, {"cValue", "6"}, {"cDefault", "6"}},
            {{"cID", "19"},
             {"cName", "iStrsQuanDecDgt"},
             {"cValue", cValue},
             {"cDefault", cDefault}}});
        db->results[kSettingsQuery] = settings;
        return settings;
    }
};

TEST_F(CommonFixture, ShowInfoMessageUsesTheInformationIconAndTitle) {
    ShowInfoMessage(*pub, "text");
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].text, "text");
    EXPECT_EQ(dialogs.Messages()[0].buttons, 64);
    EXPECT_EQ(dialogs.Messages()[0].title, "提示信息");
}

TEST(JoinClauseFor, AnswersOnlyTheWholeUnitKeyInAnyCase) {
    const std::string joins =
        " Left Join computationGroup on Inventory.cGroupcode=computationGroup.cGroupCode "
        " Left Join  ComputationUnit on Inventory.cComUnitCode=ComputationUnit.cComUnitCode ";
    const std::pair<std::string, std::string> cases[] = {
        {"computationGroup.cGroupName,ComputationUnit.cComUnitName", joins},
        {"COMPUTATIONGROUP.CGROUPNAME,COMPUTATIONUNIT.CCOMUNITNAME", joins},
        {"computationgroup.cgroupname,computationunit.ccomunitname", joins},
        {"Inventory.cInvName,computationGroup.cGroupName,ComputationUnit.cComUnitName", ""},
        {"computationGroup.cGroupName", ""},
        {"", ""},
    };
    for (const auto& [key, expected] : cases) {
        EXPECT_EQ(JoinClauseFor(key), expected) << key;
    }
}

TEST_F(CommonFixture, LoadQuantityStyleTakesTheAccountDigitsOrFallsBack) {
    struct Case {
        const char* name;
        zel::Variant cValue;
        zel::Variant cDefault;
        short digits;
    };
    const Case cases[] = {
        {"account value", "4", "3", 4},
        {"default when no value", "", "3", 3},
        {"default when value is null", nullptr, "3", 3},
        {"two when both empty", "", "", 2},
        {"not a number", "x", "", 2},
        {"not a number, default usable", "x", "5", 5},
        {"too many decimals", "12", "", 2},
        {"negative", "-1", "", 2},
        {"fraction", "2.5", "", 2},
        {"blanks around", " 3 ", "", 3},
        {"stored as a number", 4, "", 4},
        {"zero decimals", "0", "3", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto settings = Settings(c.cValue, c.cDefault);
        LoadQuantityStyle(context);
        EXPECT_EQ(context.quantity.digits, c.digits);
        EXPECT_EQ(StyleOf(context), StyleFor(c.digits));
        EXPECT_EQ(settings->filters, std::vector<std::string>{kDigitsFilter});
    }
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(CommonFixture, LoadQuantityStyleWithFourDigitsGivesTheExactStyleText) {
    Settings("4", "");
    LoadQuantityStyle(context);
    EXPECT_EQ(StyleOf(context),
              "<style><iwastage>4</iwastage><ilowsum>4</ilowsum><isafenum>4</isafenum>"
              "<itopsum>4</itopsum></style>");
    EXPECT_EQ(db->statements, std::vector<std::string>{kSettingsQuery});
}

TEST_F(CommonFixture, LoadQuantityStyleWithoutTheAccountRowStillSetsTwoDigits) {
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"no account table", [&] { db->results.clear(); }},
        {"no digits row",
         [&] {
             db->results[kSettingsQuery] = std::make_shared<FakeRecordset>(
                 std::vector<FakeRecordset::Row>{{{"cID", "18"}, {"cName", "x"}}});
         }},
    };
    for (const auto& [name, arrange] : cases) {
        SCOPED_TRACE(name);
        context.quantity.digits = 7;
        arrange();
        LoadQuantityStyle(context);
        EXPECT_EQ(context.quantity.digits, 2);
        EXPECT_EQ(StyleOf(context), StyleFor(2));
    }
}

TEST_F(CommonFixture, LoadQuantityStyleReportsAStyleTheHostLeftMalformedAndStillSetsIt) {
    Settings("3", "");
    pub->lowerCases = false;
    LoadQuantityStyle(context);
    ASSERT_EQ(dialogs.MessageTexts(),
              std::vector<std::string>{"Zel.AA.ARCHIVE.COMMON.xmlloaderror"});
    EXPECT_EQ(StyleOf(context), StyleFor(3));
}

TEST_F(CommonFixture, LoadQuantityStyleNeverReadsAnUnfilteredRow) {
    Settings("4", "")->refuseFilter = true;
    LoadQuantityStyle(context);
    EXPECT_EQ(context.quantity.digits, 2);
}

}  // namespace
}  // namespace korvel::test
