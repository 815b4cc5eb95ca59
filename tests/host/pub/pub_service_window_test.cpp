#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTextBrowser>
#include <pugixml.hpp>

#include "framework_test_window.h"
#include "host/database/register_database_service.h"
#include "host/login/login.h"
#include "host/objects/object_registry.h"
#include "host/pub/pub_service.h"
#include "support/test_database.h"

namespace zel {
namespace {

constexpr const char* kForm = "WhInvContrapose";

std::shared_ptr<ILogin> UserLogin(const std::string& userId, const std::string& account) {
    Login::Values values;
    values.userId = userId;
    values.ysDBName = account;
    return std::make_shared<Login>(values);
}

// The window services of the public service as the windows use them: a session user, the
// account database of a TestDatabase, scripted message boxes.
class PubWindowTest : public ::testing::Test {
protected:
    PubWindowTest() {
        environment->session = UserLogin("u1", test::TestDatabase::kAccount);
        RegisterDatabaseService(registry, environment);
        window.show();
    }

    // As after a restart of the program.
    std::unique_ptr<PubService> FreshService() {
        return std::make_unique<PubService>(environment, registry);
    }

    void Drag(PubService& service, QWidget& target, float byX) {
        short left = 1;
        short none = 0;
        float x = 0;
        float y = 10;
        service.MouseEvent(target, 1, left, none, x, y, kForm);
        x = byX;
        service.MouseEvent(target, 2, left, none, x, y, kForm);
        service.MouseEvent(target, 3, left, none, x, y, kForm);
    }

    test::TestDatabase database;
    std::shared_ptr<HostEnvironment> environment = database.Environment();
    ObjectRegistry registry;
    std::unique_ptr<PubService> pub = FreshService();
    test::FrameworkTestWindow window;
};

TEST_F(PubWindowTest, TheStatusBarOptionShowsAndHidesTheBar) {
    pub->FormLayout(window, kForm);
    std::string key = "mStb";
    pub->FrmOpt(window, key, kForm);
    EXPECT_TRUE(window.statusBar->isHidden());
    EXPECT_FALSE(window.mStb->isChecked());
    pub->FrmOpt(window, key, kForm);
    EXPECT_FALSE(window.statusBar->isHidden());
    EXPECT_TRUE(window.mStb->isChecked());
}

TEST_F(PubWindowTest, ButtonTextsMakeTheToolbarTallerAndLayTheWindowOutAgain) {
    window.buttons->Add("Add", ToolbarButton::kButton);
    pub->SetTlb(*window.buttons);
    pub->FormLayout(window, kForm);
    const int before = window.resizeEvents;
    std::string key = "mText";
    pub->FrmOpt(window, key, kForm);

    EXPECT_TRUE(window.toolbar->TextButtons());
    EXPECT_TRUE(window.mText->isChecked());
    EXPECT_EQ(window.toolbar->height(), window.toolbar->sizeHint().height());
    EXPECT_GT(window.resizeEvents, before);
}

TEST_F(PubWindowTest, ThePrintSerialOptionOnlyTicksItsAction) {
    pub->FormLayout(window, kForm);
    std::string key = "mPrintNo";
    pub->FrmOpt(window, key, kForm);
    EXPECT_FALSE(window.mPrintNo->isChecked());
    EXPECT_FALSE(window.statusBar->isHidden());
    EXPECT_FALSE(window.toolbar->TextButtons());
}

// A checkable menu item ticks or unticks itself before its click reaches the host.
TEST_F(PubWindowTest, EachClickOnAnOptionsMenuItemFlipsTheOptionOnce) {
    pub->FormLayout(window, kForm);
    for (QAction* item : {window.mStb, window.mText, window.mPrintNo}) {
        QObject::connect(item, &QAction::triggered, &window, [this, item] {
            std::string key = item->objectName().toStdString();
            pub->FrmOpt(window, key, kForm);
        });
    }
    const auto stored = [this](const char* key) {
        return database
            .Scalar(std::string("select cValue from aa_formoption where cOption='") + key + "'")
            .ToString();
    };
    window.mText->trigger();
    EXPECT_TRUE(window.mText->isChecked());
    EXPECT_TRUE(window.toolbar->TextButtons());
    EXPECT_EQ(stored("mText"), "1");
    window.mStb->trigger();
    EXPECT_TRUE(window.statusBar->isHidden());
    EXPECT_EQ(stored("mStb"), "0");
    window.mPrintNo->trigger();
    EXPECT_FALSE(window.mPrintNo->isChecked());
    EXPECT_EQ(stored("mPrintNo"), "0");

    window.mText->trigger();
    window.mStb->trigger();
    window.mPrintNo->trigger();
    EXPECT_FALSE(window.toolbar->TextButtons());
    EXPECT_FALSE(window.statusBar->isHidden());
    EXPECT_TRUE(window.mPrintNo->isChecked());
    EXPECT_EQ(stored("mText"), "0");
    EXPECT_EQ(stored("mStb"), "1");
    EXPECT_EQ(stored("mPrintNo"), "1");
}

TEST_F(PubWindowTest, UnknownOptionKeysDoNothing) {
    pub->FormLayout(window, kForm);
    std::string key = "Refresh";
    pub->FrmOpt(window, key, kForm);
    EXPECT_TRUE(window.mStb->isChecked());
    EXPECT_EQ(database.Scalar("select count(*) from aa_formoption").ToString(), "0");
}

TEST_F(PubWindowTest, OptionsSurviveARestart) {
    pub->FormLayout(window, kForm);
    std::string key = "mStb";
    pub->FrmOpt(window, key, kForm);
    pub->FrmUnLoad();

    test::FrameworkTestWindow again;
    FreshService()->FormLayout(again, kForm);
    EXPECT_TRUE(again.statusBar->isHidden());
    EXPECT_FALSE(again.mStb->isChecked());
}

TEST_F(PubWindowTest, TheDraggedTreeWidthIsStoredAtUnloadAndRestoredAfterARestart) {
    pub->FormLayout(window, kForm);
    pub->frmResizeNew(window, kForm, "trv");
    const int before = window.resizeEvents;
    Drag(*pub, window, 900);
    EXPECT_GT(window.resizeEvents, before);
    const int dragged = window.tree->width();
    EXPECT_NEAR(window.TwipsX(dragged), window.TwipsX(200) + 900, window.TwipsX(1));
    // The window lays out its grid beside the tree in its own resize handler.
    EXPECT_EQ(window.grid->x(), window.splitter->x() + window.splitter->width());
    window.resize(700, 450);
    pub->FrmUnLoad();

    test::FrameworkTestWindow again;
    auto restarted = FreshService();
    restarted->FormLayout(again, kForm);
    EXPECT_EQ(again.size(), QSize(700, 450));
    again.show();
    restarted->frmResizeNew(again, kForm, "trv");
    EXPECT_EQ(again.tree->width(), dragged);
}

TEST_F(PubWindowTest, ANarrowedWindowGivesTheTreeItsChosenWidthBackWhenWidened) {
    pub->FormLayout(window, kForm);
    Drag(*pub, window, 3000);
    const int chosen = window.tree->width();
    window.resize(150, 600);
    pub->frmResizeNew(window, kForm, "trv");
    EXPECT_LT(window.tree->width(), chosen);
    window.resize(1000, 600);
    pub->frmResizeNew(window, kForm, "trv");
    EXPECT_EQ(window.tree->width(), chosen);
}

TEST_F(PubWindowTest, OnlyTheLeftButtonDragsTheSplitter) {
    pub->FormLayout(window, kForm);
    const QPoint before = window.splitter->pos();
    short right = 2;
    short none = 0;
    float x = 0;
    float y = 0;
    pub->MouseEvent(window, 1, right, none, x, y, kForm);
    x = 900;
    pub->MouseEvent(window, 2, right, none, x, y, kForm);
    short left = 1;
    pub->MouseEvent(window, 2, left, none, x, y, kForm);
    pub->MouseEvent(window, 3, left, none, x, y, kForm);
    EXPECT_EQ(window.splitter->pos(), before);
    EXPECT_EQ(window.tree->width(), 200);
}

TEST_F(PubWindowTest, TheHelpKeyAloneOpensTheGuideAndAPrintKeyPutsItAway) {
    pub->HelpX(kForm, window, *environment->session, QApplication::instance(), false);
    for (std::string key : {"Add", "Refresh", "btnSep1"}) {
        pub->HelpShow(QApplication::instance(), key, window);
    }
    EXPECT_EQ(window.findChild<QTextBrowser*>("HelpViewer"), nullptr);

    for (std::string key : {"Help", "HELP"}) {
        pub->HelpShow(QApplication::instance(), key, window);
    }
    const auto guides = window.findChildren<QTextBrowser*>("HelpViewer");
    ASSERT_EQ(guides.size(), 1);
    EXPECT_TRUE(guides[0]->isVisible());
    EXPECT_EQ(guides[0]->source().fragment(), "main-window");
    EXPECT_EQ(guides[0]->windowTitle(), "帮助");
    EXPECT_TRUE(database.Dialogs().Messages().empty()) << "no modal box";

    std::string key = "Preview";
    pub->HelpHide(QApplication::instance(), key, window);
    EXPECT_FALSE(guides[0]->isVisible());
}

TEST_F(PubWindowTest, TheToolbarGetsCaptionsAndTooltipsFromTheTexts) {
    window.buttons->Add("Add", ToolbarButton::kButton, "Add");
    window.buttons->Add("btnSep1", ToolbarButton::kSeparator);
    window.buttons->Add("SaveRs", ToolbarButton::kButton, "SaveRs");
    window.buttons->Add("Custom", ToolbarButton::kButton, "Custom");
    window.buttons->Buttons("Custom")->SetToolTipText("own");
    pub->SetTlb(*window.buttons);

    ASSERT_NE(window.toolbar->Action("Add"), nullptr);
    EXPECT_EQ(window.toolbar->Action("Add")->toolTip().toStdString(), "增加");
    EXPECT_EQ(window.toolbar->Action("Add")->text().toStdString(), "增加");
    EXPECT_EQ(window.toolbar->Action("SaveRs")->toolTip().toStdString(), "保存");
    EXPECT_EQ(window.toolbar->Action("Custom")->toolTip().toStdString(), "own");
    EXPECT_EQ(window.buttons->Buttons("btnSep1")->ToolTipText(), "");
    EXPECT_EQ(window.toolbar->height(), window.toolbar->sizeHint().height());
}

TEST_F(PubWindowTest, ABarWithoutAWindowIsLeftAlone) {
    ButtonBar orphan;
    orphan.Add("Add", ToolbarButton::kButton);
    pub->SetTlb(orphan);
    EXPECT_EQ(orphan.Buttons("Add")->Caption(), "");
}

TEST_F(PubWindowTest, LoadInitNamesTheWindowAndTheUserOfItsSettings) {
    environment->session = nullptr;
    std::string title = "仓库存货对照表";
    const auto login = UserLogin("u7", test::TestDatabase::kAccount);
    auto db = database.OpenService();
    pub->FormLayout(window, kForm);
    pub->FrmLoadInit(window, title, *login, *db);
    EXPECT_EQ(window.windowTitle().toStdString(), "仓库存货对照表");
    pub->FrmUnLoad();
    EXPECT_EQ(database.Scalar("select cUserId from aa_formlayout").ToString(), "u7");
}

TEST_F(PubWindowTest, WithoutASessionNothingIsKeptAndNothingComplains) {
    environment->session = nullptr;
    pub->FormLayout(window, kForm);
    std::string key = "mStb";
    pub->FrmOpt(window, key, kForm);
    Drag(*pub, window, 600);
    pub->FrmUnLoad();
    pub->FrmUnLoad();
    EXPECT_TRUE(window.statusBar->isHidden());
    EXPECT_EQ(database.Scalar("select count(*) from aa_formoption").ToString(), "0");
    EXPECT_EQ(database.Scalar("select count(*) from aa_formlayout").ToString(), "0");
    EXPECT_TRUE(database.Dialogs().Messages().empty());
}

TEST_F(PubWindowTest, WithoutADatabaseServiceTheWindowStillWorks) {
    registry.Unregister("ZelSrvTrans.IClsCommon");
    pub->FormLayout(window, kForm);
    EXPECT_TRUE(window.mStb->isChecked());
    std::string key = "mText";
    pub->FrmOpt(window, key, kForm);
    EXPECT_TRUE(window.toolbar->TextButtons());
    pub->FrmUnLoad();
    EXPECT_TRUE(database.Dialogs().Messages().empty());
}

TEST_F(PubWindowTest, HookedWindowsAreWatchedUntilUnhooked) {
    const auto handle = static_cast<long long>(window.winId());
    pub->hook(handle);
    EXPECT_TRUE(pub->Watches(handle));
    pub->unhook(handle);
    pub->unhook(handle);
    EXPECT_FALSE(pub->Watches(handle));
}

TEST_F(PubWindowTest, TheTreeIsStyledAndItsRootOpened) {
    window.tree->Nodes().Add("", 1, "r", "仓库");
    window.tree->Nodes().Add("r", 4, "r01", "(01) 成品库");
    pub->SetTreeStyle(*window.tree, window);
    EXPECT_TRUE(window.tree->View().rootIsDecorated());
    EXPECT_TRUE(window.tree->View().uniformRowHeights());
    EXPECT_TRUE(window.tree->View().isExpanded(window.tree->View().model()->index(0, 0)));
}

TEST_F(PubWindowTest, OneFontForTheWindowAndItsMenus) {
    window.caption->setFont(QFont("Serif", 20));
    pub->FrmUniteFont(window);
    const QFont font = window.font();
    EXPECT_NEAR(font.pointSizeF(), 9, 0.01);
    EXPECT_EQ(window.grid->font().family(), font.family());
    EXPECT_EQ(window.caption->font().family(), font.family());
    EXPECT_NEAR(window.caption->font().pointSizeF(), 20, 0.01);
    for (const QMenu* menu : window.findChildren<QMenu*>()) {
        EXPECT_EQ(menu->font().family(), font.family());
    }
}

TEST_F(PubWindowTest, CellTextsGoThroughTheGridFormatter) {
    pugi::xml_document style;
    style.load_string("<style><itopsum>1</itopsum></style>");
    pugi::xml_node element = style.child("style");
    EXPECT_EQ(pub->FormatGridTxt(Variant(2.25), "iTopSum", element), "2.3");
    EXPECT_EQ(pub->FormatGridTxt(Variant(), "iTopSum", element), "");
}

}  // namespace
}  // namespace zel
