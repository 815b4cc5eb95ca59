#include <gtest/gtest.h>

#include <QDialog>
#include <QTest>
#include <QTextBrowser>
#include <string>

#include "batchadd/batch_add_command.h"
#include "checkplan/due_checks_command.h"
#include "component/support/main_window_fixture.h"
#include "editor/edit_record_command.h"
#include "history/change_history_command.h"
#include "mulmodify/mul_modify_command.h"

namespace korvel::test {
namespace {

// F1 in each window of the component opens the user's guide at that window's section, in one
// window that stays open beside it: the windows are shown modally, the guide never is.
class WindowHelpKeysTest : public MainWindowTest {
protected:
    void SetUp() override {
        database.AddWarehouse("01", "成品库");
        database.AddInventory("A001", "螺钉");
        database.AddCorrespondence("01", "A001", {{"cFrequency", "天"}, {"iFrequency", 1}});
        MainWindowCommands commands;
        commands.editRecord = EditRecordCommand();
        commands.batchAdd = BatchAddCommand();
        commands.mulModify = MulModifyCommand();
        commands.dueChecks = DueChecksCommand();
        commands.changeHistory = ChangeHistoryCommand();
        Open(std::move(commands));
        Click(*window, "r01");
    }

    static QTextBrowser* GuideOver(const QWidget& owner) {
        return owner.findChild<QTextBrowser*>("HelpViewer", Qt::FindDirectChildrenOnly);
    }

    // Presses F1 twice in the window and checks the one guide shown over it.
    void ExpectF1OpensTheGuideAt(QWidget& helped, const std::string& section) {
        QTest::keyClick(&helped, Qt::Key_F1);
        QTextBrowser* guide = GuideOver(helped);
        ASSERT_NE(guide, nullptr);
        EXPECT_EQ(guide->source().fragment().toStdString(), section);
        EXPECT_TRUE(guide->isVisible());
        EXPECT_EQ(guide->windowModality(), Qt::NonModal);
        QTest::keyClick(&helped, Qt::Key_F1);
        EXPECT_EQ(helped.findChildren<QTextBrowser*>("HelpViewer").size(), 1);
        EXPECT_EQ(GuideOver(helped), guide);
        EXPECT_TRUE(MessageTexts().empty()) << "no box in the way";
    }
};

TEST_F(WindowHelpKeysTest, TheMainWindowOpensItsSection) {
    ExpectF1OpensTheGuideAt(*window, "main-window");
}

struct OpenedWindow {
    const char* command;
    const char* windowName;
    const char* section;
};

class WindowHelpKeysOfOpenedWindows : public WindowHelpKeysTest,
                                      public ::testing::WithParamInterface<OpenedWindow> {};

TEST_P(WindowHelpKeysOfOpenedWindows, EachOpensItsOwnSectionAndTheMainWindowItsAfterwards) {
    const OpenedWindow& opened = GetParam();
    bool shown = false;
    database.Dialogs().QueueModal([&](QDialog& dialog) {
        shown = true;
        EXPECT_EQ(dialog.objectName().toStdString(), opened.windowName);
        ExpectF1OpensTheGuideAt(dialog, opened.section);
        return 0;
    });
    window->ExecCommand(opened.command);
    ASSERT_TRUE(shown);
    ExpectF1OpensTheGuideAt(*window, "main-window");
}

INSTANTIATE_TEST_SUITE_P(
    Windows, WindowHelpKeysOfOpenedWindows,
    ::testing::Values(OpenedWindow{"Add", "FrmAddInv", "editor"},
                      OpenedWindow{"Modify", "FrmAddInv", "editor"},
                      OpenedWindow{"BatchAdd", "FrmBatchAdd", "batch-add"},
                      OpenedWindow{"MulModify", "FrmZMulModify", "multi-modify"},
                      OpenedWindow{"DueChecks", "FrmDueChecks", "due-checks"},
                      OpenedWindow{"History", "FrmChangeHistory", "change-history"},
                      OpenedWindow{"RowHistory", "FrmChangeHistory", "change-history"}),
    [](const ::testing::TestParamInfo<OpenedWindow>& info) {
        return std::string(info.param.command);
    });

}  // namespace
}  // namespace korvel::test
