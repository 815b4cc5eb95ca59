#include "host/pub/editor_toolbar_look.h"

#include <gtest/gtest.h>

#include <QLayout>
#include <QStyle>

#include "editor_test_window.h"

namespace zel {
namespace {

class EditorToolbarLookTest : public ::testing::Test {
protected:
    EditorToolbarLookTest() { window.show(); }

    void LayOut() { window.layout()->activate(); }

    test::EditorTestWindow window;
};

TEST_F(EditorToolbarLookTest, CaptionsUnderThePicturesMakeTheBarTallAsItNeeds) {
    LayOut();
    const int iconOnly = window.toolbar->height();
    StyleEditorToolbar(*window.toolbar, true);
    LayOut();
    EXPECT_EQ(window.toolbar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_GT(window.toolbar->height(), iconOnly);
    EXPECT_EQ(window.toolbar->height(), window.toolbar->sizeHint().height());
}

TEST_F(EditorToolbarLookTest, TheWindowsLayoutStillPlacesBarAndFrame) {
    StyleEditorToolbar(*window.toolbar, true);
    LayOut();
    StyleEditorToolbar(*window.toolbar, false);
    LayOut();
    EXPECT_EQ(window.toolbar->toolButtonStyle(), Qt::ToolButtonIconOnly);
    EXPECT_EQ(window.toolbar->pos(), QPoint(0, 0));
    EXPECT_EQ(window.toolbar->width(), window.width());
    EXPECT_EQ(window.toolbar->height(), window.toolbar->sizeHint().height());
    EXPECT_GE(window.fields->y(), window.toolbar->height());
    const int icon =
        window.style()->pixelMetric(QStyle::PM_ToolBarIconSize, nullptr, window.toolbar);
    EXPECT_EQ(window.toolbar->iconSize(), QSize(icon, icon));
}

}  // namespace
}  // namespace zel
