#include "host/pub/splitter_drag.h"

#include <gtest/gtest.h>

#include "framework_test_window.h"
#include "host/pub/pane_limits.h"

namespace zel {
namespace {

class SplitterDragTest : public ::testing::Test {
protected:
    SplitterDragTest() {
        window.show();
        window.tree->setGeometry(0, 60, 200, 400);
        window.splitter->move(200, 60);
    }

    double SplitterLeft() const { return window.TwipsX(window.splitter->x()); }
    double InnerWidth() const { return window.TwipsX(window.client->width()); }
    // One pixel of rounding either way.
    double Pixel() const { return window.TwipsX(1); }

    test::FrameworkTestWindow window;
    SplitterDrag drag;
};

TEST_F(SplitterDragTest, TheSplitterFollowsTheMouseFromWhereItWasGrabbed) {
    const double start = SplitterLeft();
    drag.Begin(window, 15);
    ASSERT_TRUE(drag.Move(window, 15 + 600));
    EXPECT_NEAR(SplitterLeft(), start + 600, Pixel());
    ASSERT_TRUE(drag.Move(window, 15 - 300));
    EXPECT_NEAR(SplitterLeft(), start + 300, Pixel());
}

TEST_F(SplitterDragTest, TheTreeKeepsItsMinimumWidth) {
    drag.Begin(window, 0);
    drag.Move(window, -1e6);
    EXPECT_NEAR(SplitterLeft(), PaneLimits::kMinTree, Pixel());
}

TEST_F(SplitterDragTest, TheGridKeepsItsMinimumWidth) {
    drag.Begin(window, 0);
    drag.Move(window, 1e6);
    EXPECT_NEAR(SplitterLeft(), InnerWidth() - PaneLimits::kSplitter - PaneLimits::kMinGrid,
                Pixel());
}

TEST_F(SplitterDragTest, InANarrowWindowTheGridComesFirst) {
    window.resize(100, 300);
    drag.Begin(window, 0);
    drag.Move(window, 500);
    EXPECT_GE(SplitterLeft(), 0);
    EXPECT_LE(SplitterLeft(), std::max(0.0, InnerWidth() - PaneLimits::kMinGrid) + Pixel());
}

TEST_F(SplitterDragTest, MovesWithoutADragDoNothing) {
    const QPoint before = window.splitter->pos();
    EXPECT_FALSE(drag.Move(window, 900));
    drag.Begin(window, 0);
    EXPECT_TRUE(drag.End(window).has_value());
    EXPECT_FALSE(drag.Move(window, 900));
    EXPECT_EQ(window.splitter->pos(), before);
    EXPECT_EQ(drag.End(window), std::nullopt);
}

TEST_F(SplitterDragTest, ADragOfOneWindowDoesNotMoveAnother) {
    test::FrameworkTestWindow other;
    const QPoint before = other.splitter->pos();
    drag.Begin(window, 0);
    EXPECT_FALSE(drag.Move(other, 900));
    EXPECT_EQ(other.splitter->pos(), before);
    EXPECT_EQ(drag.End(other), std::nullopt);
}

TEST_F(SplitterDragTest, TheEndGivesTheTreeTheWidthUpToTheSplitter) {
    drag.Begin(window, 0);
    drag.Move(window, 900);
    const auto width = drag.End(window);
    ASSERT_TRUE(width.has_value());
    EXPECT_EQ(window.tree->width(), window.splitter->x() - window.tree->x());
    EXPECT_DOUBLE_EQ(*width, window.TwipsX(window.tree->width()));
}

TEST_F(SplitterDragTest, AWindowClosedDuringTheDragEndsIt) {
    auto closing = std::make_unique<test::FrameworkTestWindow>();
    drag.Begin(*closing, 0);
    closing.reset();
    EXPECT_FALSE(drag.Move(window, 900));
}

TEST_F(SplitterDragTest, AWindowWithoutSplitterStartsNoDrag) {
    QWidget bare;
    drag.Begin(bare, 0);
    EXPECT_FALSE(drag.Move(bare, 100));
    EXPECT_EQ(drag.End(bare), std::nullopt);
}

}  // namespace
}  // namespace zel
