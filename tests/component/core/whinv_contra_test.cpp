#include "core/whinv_contra.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "fake_services.h"
#include "support/scripted_dialogs.h"

namespace korvel::test {
namespace {

const std::string kTakeLock = "lock WhInvContrapose 1";
const std::string kReleaseLock = "lock WhInvContrapose -1";

// One component over fake services; the main window is replaced by a recording step.
struct Harness {
    zel::test::ScriptedDialogs dialogs;
    zel::test::ScriptedDialogs plainDialogs;
    FakeFactory factory{dialogs};
    std::shared_ptr<zel::ILogin> login = std::make_shared<FakeLogin>();
    std::function<void(ComponentContext&)> onMainWindow = [](ComponentContext&) {};
    WhInvContra component{factory,
                          [this](ComponentContext& context) {
                              factory.journal->push_back("main window");
                              onMainWindow(context);
                          },
                          [this](const std::string& text, const std::string& title) {
                              plainDialogs.MessageBox(text, zel::kMsgInformation, title);
                          }};

    void Show() { component.Show(login); }
    bool Logged(const std::string& entry) const {
        const auto& journal = *factory.journal;
        return std::find(journal.begin(), journal.end(), entry) != journal.end();
    }
    bool LeftNothingBehind() const {
        return factory.lastPub.expired() && factory.lastDb.expired() &&
               factory.lastRowAuth.expired() && (!login || login.use_count() == 1);
    }
};

struct StartFailure {
    const char* name;
    std::function<void(Harness&)> arrange;
    std::vector<std::string> requested;
    std::string message;
};

TEST(WhInvContraShow, StopsAtTheFirstMissingServiceWithItsMessageAndLeavesNothing) {
    const std::vector<std::string> pubOnly = {"ZelPub.IPub"};
    const std::vector<std::string> pubAndDb = {"ZelPub.IPub", "ZelSrvTrans.IClsCommon"};
    const std::vector<std::string> all = {"ZelPub.IPub", "ZelSrvTrans.IClsCommon",
                                          "ZelRowAuthsvr.clsRowAuth"};
    const std::vector<StartFailure> cases = {
        {"no login", [](Harness& h) { h.login = nullptr; }, pubOnly, "没有传入Login对象！"},
        {"no database service", [](Harness& h) { h.factory.hasDb = false; }, pubAndDb,
         "没有找到连接数据库的动态库！"},
        {"database not connected",
         [](Harness& h) { h.factory.setUpDb = [](FakeDb& db) { db.connected = false; }; }, pubAndDb,
         "数据库连接失败！\n请检查数据库连接！"},
        {"connection state unreadable",
         [](Harness& h) { h.factory.setUpDb = [](FakeDb& db) { db.failStatus = true; }; }, pubAndDb,
         "数据库连接失败！\n请检查数据库连接！"},
        {"no row-authorisation service", [](Harness& h) { h.factory.hasRowAuth = false; }, all,
         "创建权限对象失败！"},
    };
    for (const auto& failure : cases) {
        SCOPED_TRACE(failure.name);
        Harness harness;
        failure.arrange(harness);
        harness.Show();
        EXPECT_EQ(harness.factory.requested, failure.requested);
        ASSERT_EQ(harness.dialogs.Messages().size(), 1u);
        EXPECT_EQ(harness.dialogs.Messages()[0].text, failure.message);
        EXPECT_EQ(harness.dialogs.Messages()[0].buttons, zel::kMsgInformation);
        EXPECT_EQ(harness.dialogs.Messages()[0].title, "提示信息");
        EXPECT_TRUE(harness.plainDialogs.Messages().empty());
        EXPECT_FALSE(harness.Logged(kTakeLock));
        EXPECT_FALSE(harness.Logged("main window"));
        EXPECT_TRUE(harness.LeftNothingBehind());
    }
}

TEST(WhInvContraShow, WithoutThePublicServiceShowsThePlainBoxOnly) {
    Harness harness;
    harness.factory.hasPub = false;
    harness.Show();
    EXPECT_EQ(harness.factory.requested, std::vector<std::string>{"ZelPub.IPub"});
    ASSERT_EQ(harness.plainDialogs.Messages().size(), 1u);
    EXPECT_EQ(harness.plainDialogs.Messages()[0].text, "not find zelpub.dll");
    EXPECT_EQ(harness.plainDialogs.Messages()[0].title, "Information");
    EXPECT_TRUE(harness.factory.journal->empty());
    EXPECT_EQ(harness.login.use_count(), 1);
}

TEST(WhInvContraShow, BindsInOrderRunsTheWindowUnderTheLockAndReleasesBeforeDropping) {
    Harness harness;
    ComponentContext* seen = nullptr;
    LoginContext bound;
    harness.onMainWindow = [&](ComponentContext& context) {
        seen = &context;
        bound.sCurDate = context.login.sCurDate;
        bound.sAuthInv = context.login.sAuthInv;
        bound.sAuthPerson = context.login.sAuthPerson;
        EXPECT_EQ(context.login.login, harness.login);
        EXPECT_NE(context.login.pub, nullptr);
        EXPECT_NE(context.login.db, nullptr);
        EXPECT_NE(context.login.rowAuth, nullptr);
    };
    harness.Show();
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(bound.sCurDate, "2024-03-15");
    EXPECT_EQ(bound.sAuthInv, "(1=1)");
    EXPECT_EQ(bound.sAuthPerson, "(1=1)");
    const Journal expected = {"db Init acc001",
                              "rowauth Init acc001 u01",
                              "GetAuthString Inventory",
                              "GetAuthString InventoryW",
                              "GetAuthString Warehouse",
                              "GetAuthString WarehouseW",
                              kTakeLock,
                              "main window",
                              kReleaseLock,
                              "drop db",
                              "drop pub",
                              "drop rowauth"};
    EXPECT_EQ(*harness.factory.journal, expected);
    EXPECT_TRUE(harness.dialogs.Messages().empty());
    EXPECT_TRUE(harness.LeftNothingBehind());
    EXPECT_EQ(seen->login.pub, nullptr);
}

TEST(WhInvContraShow, ARefusedOrUncheckableLockReturnsSilentlyWithoutRelease) {
    const std::vector<std::pair<const char*, std::function<void(FakePub&)>>> cases = {
        {"refused", [](FakePub& pub) { pub.refuseLock = true; }},
        {"check failed", [](FakePub& pub) { pub.failLock = true; }},
    };
    for (const auto& [name, arrange] : cases) {
        SCOPED_TRACE(name);
        Harness harness;
        harness.factory.setUpPub = arrange;
        harness.Show();
        EXPECT_TRUE(harness.Logged(kTakeLock));
        EXPECT_FALSE(harness.Logged(kReleaseLock));
        EXPECT_FALSE(harness.Logged("main window"));
        EXPECT_TRUE(harness.dialogs.Messages().empty());
        EXPECT_TRUE(harness.LeftNothingBehind());
    }
}

TEST(WhInvContraShow, AFailingMainWindowStillReleasesTheLockAndDropsEverything) {
    Harness harness;
    harness.onMainWindow = [](ComponentContext&) { throw HostFailure(); };
    EXPECT_NO_THROW(harness.Show());
    const auto& journal = *harness.factory.journal;
    const auto release = std::find(journal.begin(), journal.end(), kReleaseLock);
    ASSERT_NE(release, journal.end());
    EXPECT_LT(release, std::find(journal.begin(), journal.end(), "drop db"));
    EXPECT_TRUE(harness.LeftNothingBehind());
}

TEST(WhInvContraShow, AWindowThatDropsTheContextReferencesCannotStrandTheRelease) {
    Harness harness;
    harness.onMainWindow = [](ComponentContext& context) { context.login = LoginContext{}; };
    harness.Show();
    EXPECT_TRUE(harness.Logged(kReleaseLock));
    EXPECT_TRUE(harness.LeftNothingBehind());
}

TEST(WhInvContraShow, ASecondShowBindsEverythingAgainFromAFreshContext) {
    Harness harness;
    std::vector<std::string> inventoryConditions;
    harness.onMainWindow = [&](ComponentContext& context) {
        inventoryConditions.push_back(context.login.sAuthInv);
    };
    harness.factory.setUpRowAuth = [](FakeRowAuth& rowAuth) { rowAuth.answers["Inventory"] = "7"; };
    harness.Show();
    harness.factory.setUpRowAuth = [](FakeRowAuth& rowAuth) { rowAuth.answers.erase("Inventory"); };
    harness.Show();
    EXPECT_EQ(harness.factory.requested.size(), 6u);
    EXPECT_EQ(inventoryConditions, (std::vector<std::string>{"( Inventory.iId in (7))", "(1=2)"}));
    EXPECT_EQ(
        std::count(harness.factory.journal->begin(), harness.factory.journal->end(), kReleaseLock),
        2);
    EXPECT_TRUE(harness.LeftNothingBehind());
}

}  // namespace
}  // namespace korvel::test
