#include "host/pub/toolbar_states.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QPointer>

#include "editor_test_window.h"

namespace zel {
namespace {

TEST(ShowButtonStates, TheBarShowsTheHiddenBarsStatesAgain) {
    test::EditorTestWindow window;
    window.MarkUnsaved();
    window.buttons->Buttons("First")->SetVisible(false);
    QAction* save = window.toolbar->Action("SaveRs");
    QAction* first = window.toolbar->Action("First");
    save->setEnabled(false);
    first->setVisible(true);
    window.toolbar->Action("Exit")->setEnabled(false);

    ShowButtonStates(*window.toolbar, *window.buttons);
    EXPECT_TRUE(save->isEnabled());
    EXPECT_FALSE(first->isVisible());
    EXPECT_TRUE(window.toolbar->Action("Exit")->isEnabled());
    EXPECT_EQ(window.toolbar->Action("SaveRs"), save);
}

TEST(ShowButtonStates, IsHarmlessFromWithinTheClickedButtonsOwnHandler) {
    test::EditorTestWindow window;
    int clicks = 0;
    QObject::connect(window.toolbar, &YsToolbar::ButtonClick,
                     [&](const std::string& key, const std::string&) {
                         if (key == "Next") {
                             ++clicks;
                             window.buttons->Buttons("Next")->SetEnabled(false);
                             ShowButtonStates(*window.toolbar, *window.buttons);
                         }
                     });
    const QPointer<QAction> next = window.toolbar->Action("Next");
    next->trigger();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(next->isEnabled());
}

}  // namespace
}  // namespace zel
