#include "mainwindow/main_window_layout.h"

#include <gtest/gtest.h>

namespace korvel::test {
namespace {

PlacedControls Placed(double width, double height) {
    PlacedControls placed;
    placed.innerWidth = width;
    placed.innerHeight = height;
    placed.toolbarHeight = 420;
    placed.statusBarHeight = 300;
    placed.captionTop = 420;
    placed.captionHeight = 450;
    placed.treeLeft = 0;
    placed.treeWidth = 3000;
    placed.pixel = 15;
    return placed;
}

TEST(MainWindowLayout, PanesStandSideBySideUnderTheCaptionPanel) {
    const PaneLayout panes = LayOutPanes(Placed(12000, 9000));
    EXPECT_DOUBLE_EQ(panes.tree.height, 9000 - 420 - 300 - 600);
    EXPECT_DOUBLE_EQ(panes.tree.top, 420 + 450 - 15);
    EXPECT_DOUBLE_EQ(panes.splitter.left, 3000);
    EXPECT_DOUBLE_EQ(panes.splitter.width, 45);
    EXPECT_DOUBLE_EQ(panes.grid.left, 3045);
    EXPECT_DOUBLE_EQ(panes.grid.width, 12000 - 3045);
    for (const TwipsRect& pane : {panes.splitter, panes.grid}) {
        EXPECT_DOUBLE_EQ(pane.top, panes.tree.top);
        EXPECT_DOUBLE_EQ(pane.height, panes.tree.height);
    }
}

TEST(MainWindowLayout, ATinyWindowGivesEmptyPanesNeverNegativeOnes) {
    const PaneLayout panes = LayOutPanes(Placed(1000, 800));
    EXPECT_DOUBLE_EQ(panes.tree.height, 0);
    EXPECT_DOUBLE_EQ(panes.grid.height, 0);
    EXPECT_DOUBLE_EQ(panes.grid.width, 0);
}

// The one-pixel measures of a layout are horizontal pixels even where they measure a height.
TEST(MainWindowLayout, OnePixelIsTheHorizontalOneOnAScreenWhoseAxesDiffer) {
    const zel::Twips twips(96, 120);  // 15 twips a pixel across, 12 down
    const PlacedPixels pixels{800, 600, 28, 30, 0, 200};
    const PlacedControls placed = PlacedInTwips(pixels, 420, 300, twips);
    EXPECT_DOUBLE_EQ(placed.pixel, 15);
    EXPECT_DOUBLE_EQ(placed.innerWidth, 800 * 15);
    EXPECT_DOUBLE_EQ(placed.innerHeight, 600 * 12);
    EXPECT_DOUBLE_EQ(placed.treeWidth, 200 * 15);
    const PaneLayout panes = LayOutPanes(placed);
    EXPECT_DOUBLE_EQ(panes.tree.top, 28 * 12 + 30 * 12 - 15);
    EXPECT_DOUBLE_EQ(panes.tree.height, 600 * 12 - 420 - 300 - 40 * 15);
}

}  // namespace
}  // namespace korvel::test
