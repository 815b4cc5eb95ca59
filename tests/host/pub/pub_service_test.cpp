#include "host/pub/pub_service.h"

#include <gtest/gtest.h>

#include "host/objects/object_registry.h"
#include "host/pub/register_pub_service.h"
#include "interfaces/row_auth.h"
#include "support/scripted_dialogs.h"
#include "support/test_database.h"

namespace zel {
namespace {

// Answers GetAuthString with a fixed text and remembers how it was asked.
class AnsweringRowAuth final : public IRowAuth {
public:
    explicit AnsweringRowAuth(std::string answer) : answer_(std::move(answer)) {}
    void Init(const std::string& ysDBName, const std::string& userId) override {
        asked += "Init(" + ysDBName + "," + userId + ")";
    }
    std::string GetAuthString(const std::string& objectName, const std::string&,
                              const std::string& right) override {
        asked += " GetAuthString(" + objectName + "," + right + ")";
        return answer_;
    }
    std::string asked;

private:
    std::string answer_;
};

class PubServiceTest : public ::testing::Test {
protected:
    PubServiceTest() {
        environment->dialogs = dialogs;
        RegisterPubService(registry, environment);
        pub = CreateObjectAs<IPub>(registry, "ZelPub.IPub");
    }

    void AnswerRowAuth(const std::string& answer) {
        rowAuth = std::make_shared<AnsweringRowAuth>(answer);
        registry.Register("ZelRowAuthsvr.clsRowAuth", [this](IObjectFactory&) { return rowAuth; });
    }

    std::shared_ptr<test::ScriptedDialogs> dialogs = std::make_shared<test::ScriptedDialogs>();
    std::shared_ptr<HostEnvironment> environment = std::make_shared<HostEnvironment>();
    ObjectRegistry registry;
    std::shared_ptr<IPub> pub;
    std::shared_ptr<AnsweringRowAuth> rowAuth;
};

TEST_F(PubServiceTest, IsRegisteredUnderItsProgId) {
    EXPECT_NE(pub, nullptr);
}

TEST_F(PubServiceTest, ResourceTextsComeFromTheHostTable) {
    EXPECT_EQ(pub->GetResString("Zel.AA.ARCHIVE.warehouse"), "仓库");
    EXPECT_EQ(pub->GetResString("Zel.AA.no.such.key"), "Zel.AA.no.such.key");
    std::vector<std::string> values{"7"};
    EXPECT_EQ(pub->GetResFormatString("Zel.AA.ARCHIVE.COMMON.rstcount", values),
              "当前记录数：7 条");
}

TEST_F(PubServiceTest, MessageBoxesGoToThePresenterAndReturnItsAnswer) {
    dialogs->QueueAnswer(kAnswerYes);
    EXPECT_EQ(pub->MsgBox("继续吗？", 36, "警告信息"), kAnswerYes);
    ASSERT_EQ(dialogs->Messages().size(), 1U);
    EXPECT_EQ(dialogs->Messages()[0].text, "继续吗？");
    EXPECT_EQ(dialogs->Messages()[0].buttons, 36);
    EXPECT_EQ(dialogs->Messages()[0].title, "警告信息");
}

TEST_F(PubServiceTest, WithoutAPresenterAQuestionIsAnsweredNo) {
    environment->dialogs = nullptr;
    EXPECT_EQ(pub->MsgBox("删除吗？", 36, ""), kAnswerNo);
    EXPECT_EQ(pub->MsgBox("好", 64, ""), kAnswerOk);
}

struct AuthCase {
    std::string answer;
    std::string right;
    std::string condition;
};

TEST_F(PubServiceTest, PersonAuthorisationIsACompleteCondition) {
    const std::vector<AuthCase> cases = {
        {"", "", "(1=1)"},
        {"1=2", "", "(1=2)"},
        {"'P01','P02'", "W", "(Person.cPersonCode in ('P01','P02'))"},
    };
    for (const auto& c : cases) {
        AnswerRowAuth(c.answer);
        EXPECT_EQ(pub->GetAuth("Person", "u01", "acc001", c.right), c.condition);
        EXPECT_EQ(rowAuth->asked, "Init(acc001,u01) GetAuthString(Person," + c.right + ")");
    }
}

TEST_F(PubServiceTest, OtherObjectsUseTheirOwnColumn) {
    AnswerRowAuth("3,17");
    EXPECT_EQ(pub->GetAuth("inventory", "u01", "acc001"), "(Inventory.iId in (3,17))");
    AnswerRowAuth("'01'");
    EXPECT_EQ(pub->GetAuth("WAREHOUSE", "u01", "acc001"), "(Warehouse.cWhCode in ('01'))");
}

TEST_F(PubServiceTest, WhatCannotBeAskedAllowsNothing) {
    EXPECT_EQ(pub->GetAuth("Person", "u01", "acc001"), "(1=2)");  // no row-auth service
    AnswerRowAuth("");
    EXPECT_EQ(pub->GetAuth("Department", "u01", "acc001"), "(1=2)");
    EXPECT_TRUE(rowAuth->asked.empty());
}

struct DateCase {
    std::string curDate;
    std::string filter;
};

TEST_F(PubServiceTest, EndDateFilterNormalisesTheBusinessDate) {
    const std::string open = "(Inventory.dEDate is null or Inventory.dEDate>'";
    const std::vector<DateCase> cases = {
        {"2024-03-15", open + "2024-03-15')"},
        {"2024-3-5", open + "2024-03-05')"},
        {"2024/03/05", open + "2024-03-05')"},
        {"2024-03-05 13:45:00", open + "2024-03-05')"},
        {" 2024-03-05 ", open + "2024-03-05')"},
        // Texts the date rule does not read never reach the SQL text.
        {"2024.3.5", "(Inventory.dEDate is null)"},
        {"20240305", "(Inventory.dEDate is null)"},
        {"1899-12-31", "(Inventory.dEDate is null)"},
        {"2024-02-30", "(Inventory.dEDate is null)"},
        {"2024-03-05' or '1'='1", "(Inventory.dEDate is null)"},
        {"2024-03/05", "(Inventory.dEDate is null)"},
        {"", "(Inventory.dEDate is null)"},
    };
    for (auto c : cases) {
        EXPECT_EQ(pub->GetEndDateFilter("inventory", c.curDate), c.filter) << c.curDate;
    }
}

TEST_F(PubServiceTest, EndDateFilterOfAnotherKindRestrictsNothing) {
    std::string date = "2024-03-15";
    EXPECT_EQ(pub->GetEndDateFilter("INVENTORY", date),
              "(Inventory.dEDate is null or Inventory.dEDate>'2024-03-15')");
    EXPECT_EQ(pub->GetEndDateFilter("person", date), "(1=1)");
    EXPECT_EQ(date, "2024-03-15");
}

TEST_F(PubServiceTest, FormatNumUsesTheDigitsItIsGiven) {
    short digits = 3;
    EXPECT_EQ(pub->FormatNum(Variant(1.5), digits), "1.500");
    EXPECT_EQ(pub->FormatNum(Variant(), digits), "");
    EXPECT_EQ(digits, 3);
}

TEST_F(PubServiceTest, UtoLCaseLowersEveryLetterInPlace) {
    std::string text = "<Style><iWastage>4</iWastage><ilowsum>4</ilowSum></Style>";
    pub->UtoLCase(text);
    EXPECT_EQ(text, "<style><iwastage>4</iwastage><ilowsum>4</ilowsum></style>");
    std::string wide = "ÄÖÜ 仓库 ABC";
    pub->UtoLCase(wide);
    EXPECT_EQ(wide, "äöü 仓库 abc");
}

struct LookupCase {
    std::string value;
    std::string result;
};

TEST_F(PubServiceTest, DisplayAndStoredUnitsConvertByPosition) {
    std::vector<std::string> stored{"天", "周", "月"};
    std::vector<std::string> shown{"按天", "按周", "按月"};
    const std::vector<LookupCase> display = {
        {"周", "按周"}, {"月", "按月"}, {"年", "年"}, {"", ""}};
    for (const auto& c : display) {
        EXPECT_EQ(pub->GetDispTxt(c.value, stored, shown), c.result) << c.value;
    }
    const std::vector<LookupCase> back = {{"按天", "天"}, {"按月", "月"}, {"天", "天"}, {"", ""}};
    for (const auto& c : back) {
        EXPECT_EQ(pub->GetCmbDB(c.value, shown, stored), c.result) << c.value;
    }
}

TEST_F(PubServiceTest, AShorterTargetListLeavesTheValueUnchanged) {
    std::vector<std::string> from{"a", "b", "c"};
    std::vector<std::string> to{"A"};
    EXPECT_EQ(pub->GetDispTxt("a", from, to), "A");
    EXPECT_EQ(pub->GetDispTxt("c", from, to), "c");
}

class FieldCaptionTest : public ::testing::Test {
protected:
    std::shared_ptr<IRecordset> Dictionary() {
        std::string sql = "select * from aa_columndic where ckey='Inventory' ";
        return service->OpenX(sql);
    }

    test::TestDatabase db;
    std::shared_ptr<IClsCommon> service = db.OpenService();
    ObjectRegistry registry;
    PubService pub{db.Environment(), registry};
};

TEST_F(FieldCaptionTest, CaptionsComeFromTheDictionaryWhateverTheCase) {
    auto dictionary = Dictionary();
    ASSERT_NE(dictionary, nullptr);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"iTopSum", "最高库存"},    {"ILOWSUM", "最低库存"},       {"isafenum", "安全库存"},
        {"iWastage", "合理损耗率"}, {"iFrequency", "盘点周期"},    {"cFrequency", "盘点周期单位"},
        {"iDays", "盘点日"},        {"dLastDate", "上次盘点日期"}, {"iNoSuchField", "iNoSuchField"},
    };
    // One dictionary for all fields, as the catalogue passes it from call to call.
    for (const auto& [field, caption] : cases) {
        EXPECT_EQ(pub.GetFldCaption(dictionary, field), caption) << field;
    }
}

TEST_F(FieldCaptionTest, WithoutADictionaryTheFieldNameIsTheCaption) {
    std::shared_ptr<IRecordset> none;
    EXPECT_EQ(pub.GetFldCaption(none, "iTopSum"), "iTopSum");
    auto closed = Dictionary();
    closed->Close();
    EXPECT_EQ(pub.GetFldCaption(closed, "iTopSum"), "iTopSum");
}

TEST_F(FieldCaptionTest, AnEmptyCaptionFallsBackToTheFieldName) {
    ASSERT_TRUE(db.Execute("update aa_columndic set ccaption='' where cfldname='iDays'"));
    auto dictionary = Dictionary();
    EXPECT_EQ(pub.GetFldCaption(dictionary, "iDays"), "iDays");
}

}  // namespace
}  // namespace zel
