#include <gtest/gtest.h>

#include <QAction>
#include <QLayout>
#include <QPointer>

#include "editor_test_window.h"
#include "host/objects/object_registry.h"
#include "host/pub/pub_service.h"
#include "support/test_database.h"

namespace zel {
namespace {

// The editor's framework services as the record editor calls them, with scripted boxes.
class PubEditorTest : public ::testing::Test {
protected:
    test::ScriptedDialogs& Dialogs() { return database.Dialogs(); }

    test::TestDatabase database;
    std::shared_ptr<HostEnvironment> environment = database.Environment();
    ObjectRegistry registry;
    PubService pub{environment, registry};
    test::EditorTestWindow window;
};

TEST_F(PubEditorTest, ARowMoveWithUnsavedChangesAsksAndSavesOnYes) {
    window.MarkUnsaved();
    Dialogs().QueueAnswer(kAnswerYes);
    EXPECT_TRUE(pub.isSaveRs(window));
    EXPECT_EQ(window.saves, 1);
    ASSERT_EQ(Dialogs().Messages().size(), 1U);
    EXPECT_EQ(Dialogs().Messages()[0].buttons, 35);
    EXPECT_TRUE(pub.isSaveRs(window));
    EXPECT_EQ(Dialogs().Messages().size(), 1U);
}

struct CloseCase {
    const char* name;
    int answer;
    bool saveSucceeds;
    bool mayClose;
    int saves;
};

class PubEditorCloseTest : public PubEditorTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(PubEditorCloseTest, AFailedSaveOrACancelKeepsTheWindowOpen) {
    const CloseCase& c = GetParam();
    window.MarkUnsaved();
    window.saveSucceeds = c.saveSucceeds;
    Dialogs().QueueAnswer(c.answer);
    bool cancel = false;
    int unloadMode = 0;
    EXPECT_EQ(pub.isSaveRs(window, cancel, unloadMode), c.mayClose);
    EXPECT_EQ(cancel, !c.mayClose);
    EXPECT_EQ(window.saves, c.saves);
}

INSTANTIATE_TEST_SUITE_P(PubEditor, PubEditorCloseTest,
                         ::testing::Values(CloseCase{"Saved", kAnswerYes, true, true, 1},
                                           CloseCase{"SaveFailed", kAnswerYes, false, false, 1},
                                           CloseCase{"Dropped", kAnswerNo, true, true, 0},
                                           CloseCase{"Cancelled", 2, true, false, 0},
                                           CloseCase{"OnlyOk", kAnswerOk, true, false, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PubEditorTest, WithNobodyToAskUnsavedChangesAreKept) {
    environment->dialogs = nullptr;
    window.MarkUnsaved();
    bool cancel = false;
    int unloadMode = 1;
    EXPECT_FALSE(pub.isSaveRs(window, cancel, unloadMode));
    EXPECT_TRUE(cancel);
    EXPECT_EQ(window.saves, 0);
}

TEST_F(PubEditorTest, ReRefreshingTheBarFromItsOwnClickKeepsItsActions) {
    const QPointer<QAction> exit = window.toolbar->Action("Exit");
    QObject::connect(window.toolbar, &YsToolbar::ButtonClick,
                     [&](const std::string& key, const std::string&) {
                         window.buttons->Buttons(key)->SetEnabled(false);
                         pub.ReRefreshYsTlb(window);
                     });
    exit->trigger();
    ASSERT_NE(exit, nullptr);
    EXPECT_FALSE(exit->isEnabled());
}

TEST_F(PubEditorTest, TheBarIsStyledInPlaceAndResizingKeepsItWhole) {
    window.show();
    pub.SetYsTlbStyleNew(window, true, *window.styleFrame, *window.fields);
    pub.YsTlbResize(window);
    window.layout()->activate();
    EXPECT_TRUE(window.toolbar->TextButtons());
    EXPECT_EQ(window.toolbar->height(), window.toolbar->sizeHint().height());
    EXPECT_EQ(window.toolbar->pos(), QPoint(0, 0));
    EXPECT_TRUE(window.styleFrame->isHidden());

    QWidget noBar;
    pub.SetYsTlbStyleNew(noBar, false, noBar, noBar);
    pub.ReRefreshYsTlb(noBar);
    pub.YsTlbResize(noBar);
}

// The batch-add window's bar takes the same look without the editor's frames.
TEST_F(PubEditorTest, TheBarOfAWindowWithoutFramesIsStyledAlike) {
    window.show();
    window.toolbar->SetTextButtons(true);
    pub.SetYsTlbStyle(window, false);
    window.layout()->activate();
    EXPECT_FALSE(window.toolbar->TextButtons());
    EXPECT_EQ(window.toolbar->height(), window.toolbar->sizeHint().height());

    QWidget noBar;
    pub.SetYsTlbStyle(noBar, false);
}

TEST_F(PubEditorTest, TheMatchOfAReferenceComesFromTheBoxsText) {
    std::string kind = "Person";
    std::string fields = pub.GetFilterFlds(kind);
    std::string table = "Person";
    std::string match;
    QLineEdit* box = window.Box("cWhPersonCode");
    box->setText("li'_");
    pub.CreateMatchStr(*box, fields, match, table);
    EXPECT_EQ(match,
              "(Person.cPersonCode like '%li''!_%' escape '!' or Person.cPersonName like "
              "'%li''!_%' escape '!')");
    pub.CreateMatchStr(*window.fields, fields, match, table);
    EXPECT_EQ(match, "1=1");
}

}  // namespace
}  // namespace zel
