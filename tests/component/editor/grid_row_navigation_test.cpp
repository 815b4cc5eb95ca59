#include "editor/grid_row_navigation.h"

#include <gtest/gtest.h>

namespace korvel::test {
namespace {

TEST(GridRowNavigation, StepsStayWithinTheRowsAndSetTheButtonsOfTheRowReached) {
    const struct {
        int row;
        int lastRow;
        RowStep step;
        int reached;
        NavigationButtons buttons;
    } cases[] = {
        {3, 5, RowStep::kFirst, 1, {.back = false, .on = true}},
        {3, 5, RowStep::kLast, 5, {.back = true, .on = false}},
        {3, 5, RowStep::kPrevious, 2, {.back = true, .on = true}},
        {2, 5, RowStep::kPrevious, 1, {.back = false, .on = true}},
        {1, 5, RowStep::kPrevious, 1, {.back = false, .on = true}},
        {3, 5, RowStep::kNext, 4, {.back = true, .on = true}},
        {4, 5, RowStep::kNext, 5, {.back = true, .on = false}},
        {5, 5, RowStep::kNext, 5, {.back = true, .on = false}},
        // One row: First still offers the way on, as the buttons always have.
        {1, 1, RowStep::kFirst, 1, {.back = false, .on = true}},
        {1, 1, RowStep::kNext, 1, {.back = true, .on = false}},
    };
    for (const auto& c : cases) {
        GridRowNavigation navigation(c.row, c.lastRow);
        const NavigationButtons buttons = navigation.Step(c.step);
        EXPECT_EQ(navigation.Row(), c.reached) << c.row << " of " << c.lastRow;
        EXPECT_EQ(buttons, c.buttons) << c.row << " of " << c.lastRow;
    }
}

TEST(GridRowNavigation, ARowShownOnItsOwnOnlyTurnsOffTheWayItCannotGo) {
    EXPECT_EQ(GridRowNavigation(1, 5).AtRow(), (NavigationButtons{.back = false}));
    EXPECT_EQ(GridRowNavigation(5, 5).AtRow(), (NavigationButtons{.on = false}));
    EXPECT_EQ(GridRowNavigation(3, 5).AtRow(), NavigationButtons{});
    EXPECT_EQ(GridRowNavigation(1, 1).AtRow(), (NavigationButtons{.back = false}));
}

TEST(GridRowNavigation, OnlyTheFourKeysAreSteps) {
    EXPECT_EQ(RowStepOfKey("first"), RowStep::kFirst);
    EXPECT_EQ(RowStepOfKey("PREVIOUS"), RowStep::kPrevious);
    EXPECT_EQ(RowStepOfKey("Next"), RowStep::kNext);
    EXPECT_EQ(RowStepOfKey("Last"), RowStep::kLast);
    for (const char* key : {"SaveRs", "Exit", "", "Firs"}) {
        EXPECT_EQ(RowStepOfKey(key), std::nullopt) << key;
    }
}

}  // namespace
}  // namespace korvel::test
