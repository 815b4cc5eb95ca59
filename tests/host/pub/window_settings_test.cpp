#include "host/pub/window_settings.h"

#include <gtest/gtest.h>

#include <QScreen>

#include "editor_test_window.h"
#include "framework_test_window.h"
#include "host/database/register_database_service.h"
#include "host/objects/object_registry.h"
#include "support/test_database.h"

namespace zel {
namespace {

constexpr const char* kForm = "WhInvContrapose";

class WindowSettingsTest : public ::testing::Test {
protected:
    WindowSettingsTest() { RegisterDatabaseService(registry, database.Environment()); }

    // As after a restart: settings that know nothing of the ones before.
    std::unique_ptr<WindowSettings> FreshSettings() {
        return std::make_unique<WindowSettings>(registry);
    }

    test::TestDatabase database;
    ObjectRegistry registry;
    std::optional<FormUser> user = FormUser{"u1", test::TestDatabase::kAccount};
};

TEST_F(WindowSettingsTest, WithNothingStoredTheDefaultsHold) {
    test::FrameworkTestWindow window;
    window.statusBar->hide();
    window.mPrintNo->setChecked(false);
    window.toolbar->SetTextButtons(true);
    FreshSettings()->Restore(window, kForm, user);

    EXPECT_TRUE(window.mStb->isChecked());
    EXPECT_FALSE(window.statusBar->isHidden());
    EXPECT_FALSE(window.mText->isChecked());
    EXPECT_FALSE(window.toolbar->TextButtons());
    EXPECT_TRUE(window.mPrintNo->isChecked());
    EXPECT_EQ(window.size(), QSize(1000, 600));
}

TEST_F(WindowSettingsTest, ToggledOptionsComeBackAfterARestart) {
    {
        test::FrameworkTestWindow window;
        auto settings = FreshSettings();
        settings->Restore(window, kForm, user);
        settings->Toggle(window, "mStb", kForm, user);
        settings->Toggle(window, "mText", kForm, user);
        settings->Toggle(window, "mPrintNo", kForm, user);
        settings->Toggle(window, "mPrintNo", kForm, user);
        EXPECT_TRUE(window.statusBar->isHidden());
        EXPECT_TRUE(window.toolbar->TextButtons());
    }
    test::FrameworkTestWindow window;
    FreshSettings()->Restore(window, kForm, user);
    EXPECT_FALSE(window.mStb->isChecked());
    EXPECT_TRUE(window.statusBar->isHidden());
    EXPECT_TRUE(window.mText->isChecked());
    EXPECT_TRUE(window.toolbar->TextButtons());
    EXPECT_TRUE(window.mPrintNo->isChecked());
}

TEST_F(WindowSettingsTest, OptionsBelongToTheirUserAndForm) {
    test::FrameworkTestWindow window;
    auto settings = FreshSettings();
    settings->Restore(window, kForm, user);
    settings->Toggle(window, "mStb", kForm, user);

    test::FrameworkTestWindow otherUsers;
    settings->Restore(otherUsers, kForm, FormUser{"u2", test::TestDatabase::kAccount});
    EXPECT_TRUE(otherUsers.mStb->isChecked());
    test::FrameworkTestWindow otherForm;
    settings->Restore(otherForm, "FrmAddInv", user);
    EXPECT_TRUE(otherForm.mStb->isChecked());
}

TEST_F(WindowSettingsTest, KeysAreComparedWithoutCaseAndUnknownOnesDoNothing) {
    test::FrameworkTestWindow window;
    auto settings = FreshSettings();
    settings->Restore(window, kForm, user);
    ASSERT_TRUE(settings->Toggle(window, "MSTB", kForm, user).has_value());
    EXPECT_FALSE(window.mStb->isChecked());
    EXPECT_EQ(settings->Toggle(window, "mAdd", kForm, user), std::nullopt);
    EXPECT_EQ(database.Scalar("select count(*) from aa_formoption").ToString(), "1");
}

TEST_F(WindowSettingsTest, SizeAndTreeWidthComeBackAfterARestart) {
    {
        test::FrameworkTestWindow window;
        auto settings = FreshSettings();
        settings->Restore(window, kForm, user);
        window.resize(800, 500);
        settings->SetPreferredTreeWidth(window, 2400);
        settings->StoreTop(user);
    }
    test::FrameworkTestWindow window;
    auto settings = FreshSettings();
    settings->Restore(window, kForm, user);
    EXPECT_EQ(window.size(), QSize(800, 500));
    EXPECT_EQ(window.tree->width(), window.PixelsX(2400));
    EXPECT_EQ(settings->PreferredTreeWidth(window), 2400);
}

TEST_F(WindowSettingsTest, WithoutAChosenWidthTheTreesOwnIsStored) {
    test::FrameworkTestWindow window;
    auto settings = FreshSettings();
    settings->Restore(window, kForm, user);
    window.tree->resize(150, window.tree->height());
    settings->StoreTop(user);

    test::FrameworkTestWindow again;
    FreshSettings()->Restore(again, kForm, user);
    EXPECT_EQ(again.tree->width(), 150);
}

TEST_F(WindowSettingsTest, TheInnermostWindowIsStoredFirst) {
    test::FrameworkTestWindow outer;
    test::FrameworkTestWindow inner;
    auto settings = FreshSettings();
    settings->Restore(outer, "Outer", user);
    settings->Restore(inner, "Inner", user);
    outer.resize(700, 400);
    inner.resize(300, 200);
    settings->StoreTop(user);
    EXPECT_NE(database.Scalar("select cLayout from aa_formlayout where cFormKey='Inner'")
                  .ToString()
                  .find("Width=" + std::to_string(std::lround(inner.TwipsX(300)))),
              std::string::npos);
    EXPECT_TRUE(
        database.Scalar("select cLayout from aa_formlayout where cFormKey='Outer'").IsNull());
    settings->StoreTop(user);
    EXPECT_FALSE(
        database.Scalar("select cLayout from aa_formlayout where cFormKey='Outer'").IsNull());
    settings->StoreTop(user);
}

TEST_F(WindowSettingsTest, AWindowClosedBeforeItsUnloadIsSkipped) {
    auto settings = FreshSettings();
    auto window = std::make_unique<test::FrameworkTestWindow>();
    settings->Restore(*window, kForm, user);
    window.reset();
    settings->StoreTop(user);
    EXPECT_TRUE(database.Scalar("select count(*) from aa_formlayout").ToString() == "0");
}

TEST_F(WindowSettingsTest, AStoredSizeLargerThanTheScreenIsFittedToIt) {
    ASSERT_TRUE(
        database.Execute("insert into aa_formlayout values ('u1', 'WhInvContrapose', "
                         "'Width=9000000;Height=9000000;TreeWidth=2000')"));
    test::FrameworkTestWindow window;
    FreshSettings()->Restore(window, kForm, user);
    ASSERT_NE(window.screen(), nullptr);
    const QSize screen = window.screen()->availableGeometry().size();
    EXPECT_LE(window.width(), screen.width());
    EXPECT_LE(window.height(), screen.height());
}

TEST_F(WindowSettingsTest, DamagedStoredValuesFallBackToTheDefaults) {
    ASSERT_TRUE(database.Execute(
        "insert into aa_formoption values ('u1', 'WhInvContrapose', 'mStb', 'maybe')"));
    ASSERT_TRUE(database.Execute(
        "insert into aa_formlayout values ('u1', 'WhInvContrapose', 'Width=-1;Height=x')"));
    test::FrameworkTestWindow window;
    FreshSettings()->Restore(window, kForm, user);
    EXPECT_TRUE(window.mStb->isChecked());
    EXPECT_EQ(window.size(), QSize(1000, 600));
}

TEST_F(WindowSettingsTest, AWindowOpenedOverItsFormKeepsItsOwnSizeAndOptions) {
    {
        test::FrameworkTestWindow main;
        test::EditorTestWindow editor;
        auto settings = FreshSettings();
        settings->Restore(main, kForm, user);
        main.resize(700, 450);
        settings->Restore(editor, kForm, user);
        editor.resize(420, 260);
        settings->Toggle(editor, "mText", kForm, user);
        settings->StoreTop(user);
        settings->StoreTop(user);
    }
    EXPECT_EQ(database
                  .Scalar("select count(*) from aa_formlayout where cFormKey in "
                          "('WhInvContrapose', 'WhInvContrapose/FrmAddInv')")
                  .ToString(),
              "2");
    test::FrameworkTestWindow main;
    test::EditorTestWindow editor;
    auto settings = FreshSettings();
    settings->Restore(main, kForm, user);
    settings->Restore(editor, kForm, user);
    EXPECT_EQ(main.size(), QSize(700, 450));
    EXPECT_FALSE(main.toolbar->TextButtons());
    EXPECT_EQ(editor.size(), QSize(420, 260));
    EXPECT_TRUE(editor.toolbar->TextButtons());
}

TEST_F(WindowSettingsTest, TheMainWindowKeepsThePlainKeyWhileAWindowIsOpenOverIt) {
    test::FrameworkTestWindow main;
    test::EditorTestWindow editor;
    auto settings = FreshSettings();
    settings->Restore(main, kForm, user);
    settings->Restore(editor, kForm, user);
    settings->Toggle(main, "mStb", kForm, user);
    EXPECT_EQ(database.Scalar("select cFormKey from aa_formoption").ToString(), kForm);
}

TEST_F(WindowSettingsTest, TheMainWindowsValuesStoredUnderThePlainKeyStayItsOwn) {
    ASSERT_TRUE(
        database.Execute("insert into aa_formlayout values ('u1', 'WhInvContrapose', "
                         "'Width=9000;Height=6000;TreeWidth=2000')"));
    test::FrameworkTestWindow main;
    test::EditorTestWindow editor;
    const QSize designed = editor.size();
    auto settings = FreshSettings();
    settings->Restore(main, kForm, user);
    settings->Restore(editor, kForm, user);
    EXPECT_EQ(main.size(), QSize(main.Scale().ToPixelsX(9000), main.Scale().ToPixelsY(6000)));
    EXPECT_EQ(editor.size(), designed);
}

TEST_F(WindowSettingsTest, AnUnnamedWindowOverItsFormIsKeptUnderItsClassName) {
    test::FrameworkTestWindow main;
    QWidget unnamed;
    auto settings = FreshSettings();
    settings->Restore(main, kForm, user);
    settings->Restore(unnamed, kForm, user);
    settings->StoreTop(user);
    EXPECT_EQ(database
                  .Scalar("select count(*) from aa_formlayout where "
                          "cFormKey='WhInvContrapose/QWidget'")
                  .ToString(),
              "1");
}

struct UnreachableCase {
    const char* name;
    std::optional<FormUser> user;
};

class UnreachableSettingsTest : public WindowSettingsTest,
                                public ::testing::WithParamInterface<UnreachableCase> {};

TEST_P(UnreachableSettingsTest, TheWindowWorksWithItsDefaultsAndNothingIsKept) {
    test::FrameworkTestWindow window;
    auto settings = FreshSettings();
    settings->Restore(window, kForm, GetParam().user);
    EXPECT_TRUE(window.mStb->isChecked());
    ASSERT_TRUE(settings->Toggle(window, "mStb", kForm, GetParam().user).has_value());
    EXPECT_TRUE(window.statusBar->isHidden());
    settings->StoreTop(GetParam().user);
    settings->StoreTop(GetParam().user);
    EXPECT_EQ(database.Scalar("select count(*) from aa_formoption").ToString(), "0");
    EXPECT_EQ(database.Scalar("select count(*) from aa_formlayout").ToString(), "0");
    EXPECT_TRUE(database.Dialogs().Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    WindowSettings, UnreachableSettingsTest,
    ::testing::Values(UnreachableCase{"NoUser", std::nullopt},
                      UnreachableCase{"NoUserId", FormUser{"", test::TestDatabase::kAccount}},
                      UnreachableCase{"UnknownAccount", FormUser{"u1", "no_such_account"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowSettingsTest, WithoutItsTablesTheWindowStillWorks) {
    ASSERT_TRUE(database.Execute("drop table aa_formlayout"));
    ASSERT_TRUE(database.Execute("drop table aa_formoption"));
    test::FrameworkTestWindow window;
    auto settings = FreshSettings();
    settings->Restore(window, kForm, user);
    EXPECT_TRUE(settings->Toggle(window, "mText", kForm, user).has_value());
    EXPECT_TRUE(window.toolbar->TextButtons());
    settings->StoreTop(user);
    EXPECT_TRUE(database.Dialogs().Messages().empty());
}

}  // namespace
}  // namespace zel
