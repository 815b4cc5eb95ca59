#include "host/pub/grid_locator.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "host/controls/flex_grid_model.h"

namespace zel {
namespace {

// Header row 0, then one data row per name in column 1.
class GridLocatorTest : public ::testing::Test {
protected:
    GridLocatorTest() {
        const std::vector<std::string> names = {"Steel plate", "钢板 Q235", "bolt M8", "STEEL bar",
                                                "螺母"};
        model_.SetRows(static_cast<int>(names.size()) + 1);
        model_.SetText(0, 1, "存货名称");
        for (std::size_t i = 0; i < names.size(); ++i) {
            model_.SetText(static_cast<int>(i) + 1, 1, names[i]);
        }
    }

    std::optional<int> Next(const std::string& text, int currentRow, int col = 1) {
        return GridLocator(model_, text).FindNext(col, currentRow);
    }

    FlexGridModel model_;
};

TEST_F(GridLocatorTest, FindsTheNextRowAfterTheCurrentOneIgnoringAsciiCase) {
    EXPECT_EQ(Next("steel", 1), 4);
    EXPECT_EQ(Next("STEEL", 0), 1);  // from the header: the first row counts
    EXPECT_EQ(Next("m8", 1), 3);
}

TEST_F(GridLocatorTest, MatchesChineseTextsInsideACell) {
    EXPECT_EQ(Next("钢板", 1), 2);
    EXPECT_EQ(Next("q235", 1), 2);
    EXPECT_EQ(Next("螺", 2), 5);
}

TEST_F(GridLocatorTest, WrapsOnceAndComesBackToTheCurrentRowLast) {
    EXPECT_EQ(Next("steel", 4), 1);
    EXPECT_EQ(Next("螺母", 5), 5);
}

TEST_F(GridLocatorTest, FindsNothingForAnAbsentOrEmptyTextOrAColumnOutsideTheGrid) {
    EXPECT_EQ(Next("copper", 1), std::nullopt);
    EXPECT_EQ(Next("", 1), std::nullopt);
    EXPECT_EQ(Next("steel", 1, 5), std::nullopt);
    EXPECT_EQ(Next("存货", 1), std::nullopt);  // the header is no row to find
}

TEST(GridLocator, AGridWithoutRowsFindsNothing) {
    FlexGridModel model;
    EXPECT_EQ(GridLocator(model, "x").FindNext(0, 0), std::nullopt);
}

}  // namespace
}  // namespace zel
