#include "host/controls/flex_grid.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <string>
#include <vector>

#include "host/controls/twips.h"

namespace zel {
namespace {

class FlexGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        grid_.resize(600, 400);
        grid_.SetCols(3);
        grid_.SetRows(6);
        for (int r = 0; r < 6; ++r) {
            for (int c = 0; c < 3; ++c) {
                grid_.SetTextMatrix(r, c, "r" + std::to_string(r) + "c" + std::to_string(c));
            }
        }
        grid_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid_));
    }

    QPoint CellCentre(int row, int col) {
        return grid_.View().visualRect(grid_.Model().GridIndex(row, col)).center();
    }

    void Click(int row, int col, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(grid_.View().viewport(), Qt::LeftButton, modifiers, CellCentre(row, col));
    }

    FlexGrid grid_;
};

TEST_F(FlexGridTest, TextMatrixReadsWhatWasWrittenAndRowZeroIsTheHeader) {
    EXPECT_EQ(grid_.TextMatrix(4, 2), "r4c2");
    EXPECT_EQ(grid_.Model().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "r0c1");
    EXPECT_EQ(grid_.TextMatrix(9, 0), "");
    EXPECT_FALSE(grid_.SetTextMatrix(6, 0, "beyond"));
}

TEST_F(FlexGridTest, SettingRowAndColCollapsesTheSelection) {
    ASSERT_TRUE(grid_.SetRow(2));
    ASSERT_TRUE(grid_.SetCol(1));
    ASSERT_TRUE(grid_.SetRowSel(4));
    ASSERT_TRUE(grid_.SetColSel(2));
    EXPECT_EQ(grid_.View().selectionModel()->selectedIndexes().size(), 6);

    grid_.SetRow(3);
    EXPECT_EQ(grid_.RowSel(), 3);
    EXPECT_EQ(grid_.ColSel(), 1);
    EXPECT_EQ(grid_.View().selectionModel()->selectedIndexes().size(), 1);
    EXPECT_EQ(grid_.View().currentIndex(), grid_.Model().GridIndex(3, 1));
}

TEST_F(FlexGridTest, RefusesRowsAndColsOutsideTheGrid) {
    ASSERT_TRUE(grid_.SetRow(2));
    EXPECT_FALSE(grid_.SetRow(6));
    EXPECT_FALSE(grid_.SetCol(-1));
    EXPECT_FALSE(grid_.SetRowSel(7));
    EXPECT_FALSE(grid_.SetColSel(3));
    EXPECT_EQ(grid_.Row(), 2);
    EXPECT_EQ(grid_.RowSel(), 2);
}

TEST_F(FlexGridTest, AClickMakesTheCellCurrent) {
    Click(3, 2);
    EXPECT_EQ(grid_.Row(), 3);
    EXPECT_EQ(grid_.Col(), 2);
    EXPECT_EQ(grid_.RowSel(), 3);
    EXPECT_EQ(grid_.ColSel(), 2);
}

TEST_F(FlexGridTest, AShiftClickMovesTheEndOfTheSelection) {
    Click(2, 0);
    Click(4, 1, Qt::ShiftModifier);
    EXPECT_EQ(grid_.Row(), 2);
    EXPECT_EQ(grid_.Col(), 0);
    EXPECT_EQ(grid_.RowSel(), 4);
    EXPECT_EQ(grid_.ColSel(), 1);

    Click(1, 0, Qt::ShiftModifier);  // upwards from the same anchor
    EXPECT_EQ(grid_.Row(), 2);
    EXPECT_EQ(grid_.RowSel(), 1);
}

TEST_F(FlexGridTest, ByRowSelectionKeepsTheClickedColumn) {
    ASSERT_TRUE(grid_.SetSelectionMode(FlexGrid::kSelectionByRow));
    Click(2, 1);
    Click(5, 2, Qt::ShiftModifier);
    EXPECT_EQ(grid_.Row(), 2);
    EXPECT_EQ(grid_.RowSel(), 5);
    EXPECT_EQ(grid_.ColSel(), 2);
    EXPECT_EQ(grid_.View().selectionModel()->selectedRows().size(), 4);
}

TEST_F(FlexGridTest, ShrinkingTheGridPullsTheCursorIn) {
    grid_.SetRow(5);
    grid_.SetRows(3);
    EXPECT_EQ(grid_.Row(), 2);
    grid_.SetRows(1);
    EXPECT_EQ(grid_.Row(), 0);
    EXPECT_FALSE(grid_.View().currentIndex().isValid());
}

TEST_F(FlexGridTest, DoubleClickOnACellRaisesDblClickButNotOnTheHeader) {
    int clicks = 0;
    QObject::connect(&grid_, &FlexGrid::DblClick, [&] { ++clicks; });
    QTest::mouseDClick(grid_.View().viewport(), Qt::LeftButton, {}, CellCentre(2, 1));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(grid_.Row(), 2);

    QHeaderView* header = grid_.View().horizontalHeader();
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {},
                       QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
    EXPECT_EQ(clicks, 1);
}

TEST_F(FlexGridTest, MouseUpGivesTheHostButtonShiftAndTwips) {
    std::vector<std::tuple<short, short, float, float>> ups;
    QObject::connect(&grid_, &FlexGrid::MouseUp,
                     [&](short b, short s, float x, float y) { ups.emplace_back(b, s, x, y); });
    QWidget* viewport = grid_.View().viewport();
    const QPoint at = CellCentre(1, 1);
    QTest::mouseRelease(viewport, Qt::RightButton, Qt::ControlModifier, at);
    ASSERT_EQ(ups.size(), 1u);
    const QPoint inGrid = viewport->mapTo(&grid_, at);
    const Twips twips = Twips::ForScreen(grid_.screen());
    EXPECT_EQ(std::get<0>(ups[0]), 2);
    EXPECT_EQ(std::get<1>(ups[0]), 2);
    EXPECT_FLOAT_EQ(std::get<2>(ups[0]), static_cast<float>(twips.FromPixelsX(inGrid.x())));
    EXPECT_FLOAT_EQ(std::get<3>(ups[0]), static_cast<float>(twips.FromPixelsY(inGrid.y())));
}

TEST_F(FlexGridTest, MousePointerElevenShowsTheBusyCursor) {
    ASSERT_TRUE(grid_.SetMousePointer(11));
    EXPECT_EQ(grid_.cursor().shape(), Qt::WaitCursor);
    ASSERT_TRUE(grid_.SetMousePointer(0));
    EXPECT_EQ(grid_.cursor().shape(), Qt::ArrowCursor);
    EXPECT_FALSE(grid_.SetMousePointer(99));
    EXPECT_EQ(grid_.MousePointer(), 0);
}

TEST_F(FlexGridTest, RedrawOffHoldsBackTheAnnouncementsUntilItIsOnAgain) {
    QSignalSpy cells(&grid_.Model(), &QAbstractItemModel::dataChanged);
    grid_.SetRedraw(false);
    grid_.SetTextMatrix(1, 0, "new");
    grid_.SetTextMatrix(5, 2, "new");
    EXPECT_EQ(cells.count(), 0);
    grid_.SetRedraw(true);
    EXPECT_EQ(cells.count(), 1);
    EXPECT_TRUE(grid_.Redraw());
}

TEST_F(FlexGridTest, SortKeepsTheCurrentRowNumber) {
    grid_.SetTextMatrix(1, 0, "b");
    grid_.SetTextMatrix(2, 0, "a");
    grid_.SetRow(2);
    ASSERT_TRUE(grid_.Sort(0, Qt::AscendingOrder));
    EXPECT_EQ(grid_.Row(), 2);
    EXPECT_EQ(grid_.TextMatrix(1, 0), "a");
    EXPECT_EQ(grid_.TextMatrix(1, 1), "r2c1");
    EXPECT_EQ(grid_.View().currentIndex(), grid_.Model().GridIndex(2, 0));
}

TEST_F(FlexGridTest, ColumnWidthIsInTwips) {
    const Twips twips = Twips::ForScreen(grid_.screen());
    ASSERT_TRUE(grid_.SetColWidth(1, 1500));
    EXPECT_EQ(grid_.View().columnWidth(1), twips.ToPixelsX(1500));
    EXPECT_NEAR(grid_.ColWidth(1), 1500, twips.PerPixelX());
    EXPECT_FALSE(grid_.SetColWidth(3, 100));
}

TEST_F(FlexGridTest, AlignmentAndBackColourReachTheView) {
    ASSERT_TRUE(grid_.SetColAlignment(2, Qt::AlignRight | Qt::AlignVCenter));
    const QVariant shown = grid_.Model().data(grid_.Model().GridIndex(1, 2), Qt::TextAlignmentRole);
    EXPECT_EQ(shown.value<Qt::Alignment>(), Qt::AlignRight | Qt::AlignVCenter);
    grid_.SetBackColor(QColor(Qt::yellow));
    EXPECT_EQ(grid_.BackColor(), QColor(Qt::yellow));
}

TEST_F(FlexGridTest, NoFixedRowHidesTheHeader) {
    ASSERT_TRUE(grid_.SetFixedRows(0));
    EXPECT_FALSE(grid_.View().horizontalHeader()->isVisible());
    EXPECT_EQ(grid_.Model().rowCount(), 6);
}

TEST(FlexGrid, FillsAHundredThousandRowsAsTheListWindowDoes) {
    constexpr int kRows = 100000;
    constexpr int kCols = 18;
    FlexGrid grid;
    grid.resize(800, 600);
    grid.show();
    grid.SetCols(kCols);
    grid.SetRows(kRows + 1);
    grid.SetRedraw(false);
    for (int r = 1; r <= kRows; ++r) {
        grid.SetTextMatrix(r, 0, std::to_string(r));
        for (int c = 1; c < kCols; ++c) {
            grid.SetTextMatrix(r, c, "cell " + std::to_string(c));
        }
    }
    grid.SetRow(1);
    grid.SetCol(1);
    grid.SetRedraw(true);
    grid.AutoSizeCols();
    EXPECT_EQ(grid.Rows(), kRows + 1);
    EXPECT_EQ(grid.TextMatrix(kRows, 0), "100000");
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_GT(grid.View().columnWidth(0), 0);
}

}  // namespace
}  // namespace zel
