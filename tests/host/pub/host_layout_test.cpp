#include "host/pub/host_layout.h"

#include <gtest/gtest.h>

#include "framework_test_window.h"
#include "host/pub/pane_limits.h"

namespace zel {
namespace {

class HostLayoutTest : public ::testing::Test {
protected:
    HostLayoutTest() {
        window.buttons->Add("Add", ToolbarButton::kButton);
        window.buttons->Add("Exit", ToolbarButton::kButton);
        window.toolbar->Build(*window.buttons);
        window.show();
    }

    void ExpectNoNegativeSize() const {
        const QWidget* controls[] = {window.toolbar, window.caption, window.tree, window.statusBar};
        for (const QWidget* control : controls) {
            EXPECT_GE(control->width(), 0) << control->objectName().toStdString();
            EXPECT_GE(control->height(), 0) << control->objectName().toStdString();
            EXPECT_GE(control->y(), 0) << control->objectName().toStdString();
        }
    }

    test::FrameworkTestWindow window;
};

TEST_F(HostLayoutTest, BarsSpanTheClientAreaWithThePanelUnderTheToolbar) {
    LayOutFrame(window, "trv", std::nullopt);

    const int width = window.client->width();
    EXPECT_EQ(window.toolbar->geometry(), QRect(0, 0, width, window.toolbar->sizeHint().height()));
    EXPECT_EQ(window.caption->geometry(), QRect(0, window.toolbar->height(), width, 30));
    EXPECT_EQ(window.statusBar->width(), width);
    EXPECT_EQ(window.statusBar->y() + window.statusBar->height(), window.client->height());
    EXPECT_GT(window.statusBar->height(), 0);
}

TEST_F(HostLayoutTest, AHiddenStatusBarTakesNoRoomAndIsLeftAlone) {
    window.statusBar->hide();
    const QRect before = window.statusBar->geometry();
    LayOutFrame(window, "trv", std::nullopt);

    EXPECT_EQ(window.statusBar->geometry(), before);
    EXPECT_EQ(window.statusBar->Height(), 0);
}

TEST_F(HostLayoutTest, AHiddenToolbarPutsThePanelAtTheTop) {
    window.toolbar->hide();
    LayOutFrame(window, "trv", std::nullopt);
    EXPECT_EQ(window.caption->y(), 0);
    EXPECT_EQ(window.toolbar->Height(), 0);
}

TEST_F(HostLayoutTest, TheToolbarIsTallEnoughForItsCaptions) {
    window.toolbar->SetTextButtons(true);
    window.buttons->Button(1)->SetCaption("增加");
    LayOutFrame(window, "trv", std::nullopt);
    EXPECT_GE(window.toolbar->height(), window.toolbar->sizeHint().height());
}

TEST_F(HostLayoutTest, TheTreeKeepsItsPlaceAndTakesThePreferredWidth) {
    const QRect before = window.tree->geometry();
    LayOutFrame(window, "trv", 2400);

    EXPECT_EQ(window.tree->x(), 0);
    EXPECT_EQ(window.tree->y(), before.y());
    EXPECT_EQ(window.tree->height(), before.height());
    EXPECT_EQ(window.tree->width(), window.PixelsX(2400));
}

TEST_F(HostLayoutTest, TheTreeLeavesTheGridItsRoom) {
    LayOutFrame(window, "trv", 1e6);
    const double inner = window.TwipsX(window.client->width());
    EXPECT_NEAR(window.TwipsX(window.tree->width()),
                inner - PaneLimits::kSplitter - PaneLimits::kMinGrid, window.TwipsX(1));
}

TEST_F(HostLayoutTest, ATinyWindowGivesNoNegativeSizes) {
    window.resize(5, 5);
    LayOutFrame(window, "trv", 3000);
    ExpectNoNegativeSize();
    EXPECT_EQ(window.tree->width(), 0);
}

TEST_F(HostLayoutTest, AWindowWithoutTheControlsIsLeftAsItIs) {
    QWidget bare;
    bare.resize(300, 200);
    LayOutFrame(bare, "trv", 3000);
    EXPECT_EQ(bare.size(), QSize(300, 200));
}

TEST(FitToolbarHeight, AnUnplacedBarTakesItsParentsWidth) {
    QWidget parent;
    parent.resize(640, 480);
    YsToolbar bar(&parent);
    ButtonBar buttons;
    buttons.Add("Add", ToolbarButton::kButton);
    bar.Build(buttons);
    FitToolbarHeight(bar);
    EXPECT_EQ(bar.size(), QSize(640, bar.sizeHint().height()));
}

}  // namespace
}  // namespace zel
