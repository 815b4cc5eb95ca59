#include "host/pub/window_help.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QWidget>
#include <memory>
#include <string>

#include "host/pub/help_anchors.h"

namespace zel {
namespace {

class WindowHelpTest : public ::testing::Test {
protected:
    WindowHelpTest() {
        window.show();
        other.show();
    }

    QTextBrowser* Guide() const { return help.Viewer().Window(); }
    std::string Section() const { return Guide()->source().fragment().toStdString(); }

    QWidget window;
    QWidget other;
    WindowHelp help;
};

TEST_F(WindowHelpTest, EachFormOpensTheGuideAtItsSectionBesideTheWindow) {
    for (const HelpAnchor& entry : HelpAnchors()) {
        SCOPED_TRACE(std::string(entry.formKey));
        help.Bind(window, std::string(entry.formKey));
        help.Show(window);
        ASSERT_NE(Guide(), nullptr);
        EXPECT_EQ(Section(), entry.anchor);
        EXPECT_TRUE(Guide()->isVisible());
        EXPECT_TRUE(Guide()->isWindow());
        EXPECT_EQ(Guide()->windowModality(), Qt::NonModal);
        EXPECT_EQ(Guide()->parentWidget(), &window);
        EXPECT_EQ(Guide()->windowTitle(), "帮助");
        EXPECT_FALSE(Guide()->document()->isEmpty());
    }
}

TEST_F(WindowHelpTest, ASecondRequestReusesTheGuideAndMovesToTheNewSection) {
    help.Bind(window, "WhInvContrapose");
    help.Bind(other, "FrmDueChecks");
    help.Show(window);
    QTextBrowser* first = Guide();
    const int mainSection = first->verticalScrollBar()->value();

    help.Show(other);
    EXPECT_EQ(Guide(), first);
    EXPECT_EQ(Section(), "due-checks");
    EXPECT_EQ(Guide()->parentWidget(), &other) << "usable while that window is modal";
    EXPECT_GT(Guide()->verticalScrollBar()->value(), mainSection) << "scrolled to the section";

    Guide()->verticalScrollBar()->setValue(0);
    help.Show(other);
    EXPECT_EQ(Guide(), first);
    EXPECT_GT(Guide()->verticalScrollBar()->value(), 0) << "back at the section";
}

TEST_F(WindowHelpTest, AWindowWithoutHelpOpensNothing) {
    help.Show(window);
    EXPECT_EQ(Guide(), nullptr);
}

TEST_F(WindowHelpTest, HideHidesTheGuideUntilTheNextRequest) {
    help.Bind(window, "FrmAddInv");
    help.Hide();
    help.Show(window);
    help.Hide();
    ASSERT_NE(Guide(), nullptr);
    EXPECT_FALSE(Guide()->isVisible());
    help.Show(window);
    EXPECT_TRUE(Guide()->isVisible());
    EXPECT_EQ(Section(), "editor");
}

TEST_F(WindowHelpTest, TheGuideGoesWithTheWindowItWasOpenedFrom) {
    auto closing = std::make_unique<QWidget>();
    closing->show();
    help.Bind(*closing, "FrmBatchAdd");
    help.Bind(window, "FrmZMulModify");
    help.Show(*closing);
    closing.reset();
    EXPECT_EQ(Guide(), nullptr);
    help.Show(window);
    ASSERT_NE(Guide(), nullptr);
    EXPECT_EQ(Section(), "multi-modify");
}

TEST_F(WindowHelpTest, ADialogOfTheHostsShowsItsHelpOnF1Only) {
    help.BindWithF1(window, "Locate");
    QTest::keyClick(&window, Qt::Key_F1, Qt::ShiftModifier);
    QTest::keyClick(&window, Qt::Key_F2);
    EXPECT_EQ(Guide(), nullptr);
    QTest::keyClick(&window, Qt::Key_F1);
    ASSERT_NE(Guide(), nullptr);
    EXPECT_EQ(Section(), "locate");
}

TEST_F(WindowHelpTest, RebindingReplacesTheForm) {
    help.Bind(window, "FrmAddInv");
    help.Bind(window, "FrmBatchAdd");
    help.Show(window);
    EXPECT_EQ(Section(), "batch-add");
}

}  // namespace
}  // namespace zel
