#include "host/controls/flex_grid.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <functional>
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

TEST_F(FlexGridTest, SortTakesTheCurrentRowAlongToItsNewPlace) {
    grid_.SetTextMatrix(1, 0, "b");
    grid_.SetTextMatrix(2, 0, "a");
    grid_.SetRow(2);
    grid_.SetCol(1);
    ASSERT_TRUE(grid_.Sort(0, Qt::AscendingOrder));
    EXPECT_EQ(grid_.TextMatrix(1, 0), "a");
    EXPECT_EQ(grid_.TextMatrix(1, 1), "r2c1");
    EXPECT_EQ(grid_.Row(), 1);
    EXPECT_EQ(grid_.RowSel(), 1);
    EXPECT_EQ(grid_.Col(), 1);
    EXPECT_EQ(grid_.View().currentIndex(), grid_.Model().GridIndex(1, 1));
    EXPECT_FALSE(grid_.Sort(3, Qt::AscendingOrder));
}

TEST_F(FlexGridTest, SortShrinksASelectionOfSeveralRowsToTheCurrentOne) {
    grid_.SetRow(2);
    grid_.SetRowSel(4);
    ASSERT_TRUE(grid_.Sort(0, Qt::DescendingOrder));
    EXPECT_EQ(grid_.TextMatrix(2, 0), "r4c0");
    EXPECT_EQ(grid_.Row(), 2);
    EXPECT_EQ(grid_.RowSel(), 2);
    EXPECT_EQ(grid_.View().selectionModel()->selectedIndexes().size(), 1);
}

TEST_F(FlexGridTest, AReorderThatDoesNotNameEachRowOnceLeavesRowsAndCursorAlone) {
    grid_.SetRow(2);
    const int rows = grid_.Rows() - grid_.FixedRows();
    std::vector<int> repeated(static_cast<std::size_t>(rows), 0);
    EXPECT_FALSE(grid_.ReorderRows(repeated));
    EXPECT_FALSE(grid_.ReorderRows({}));
    EXPECT_EQ(grid_.TextMatrix(2, 0), "r2c0");
    EXPECT_EQ(grid_.Row(), 2);
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

// Columns that follow their contents, filled as the list window fills them: the row count first,
// redrawing off while the cells are written, on again when the rows are to be shown.
class FlexGridColumnFitTest : public ::testing::Test {
protected:
    static constexpr int kLimit = 300;  // pixels

    void SetUp() override {
        grid_.resize(900, 500);
        grid_.SetCols(4);
        grid_.SetRows(1);
        const char* headers[] = {"序号", "单位", "存货名称", "备注"};
        for (int col = 0; col < 4; ++col) {
            grid_.SetTextMatrix(0, col, headers[col]);
            grid_.SetColWidth(col, Twips::ForScreen(grid_.screen()).FromPixelsX(100));
        }
        for (int col = 1; col < 4; ++col) {
            ASSERT_TRUE(
                grid_.FitColToContents(col, Twips::ForScreen(grid_.screen()).FromPixelsX(kLimit)));
        }
        grid_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid_));
    }
    // Row r shows cells(r) from column 1 on; the serial number in column 0.
    void Fill(int rows, const std::function<std::vector<std::string>(int)>& cells) {
        grid_.SetRows(rows + 1);
        grid_.SetRedraw(false);
        for (int row = 1; row <= rows; ++row) {
            grid_.SetTextMatrix(row, 0, std::to_string(row));
            const std::vector<std::string> texts = cells(row);
            for (int col = 1; col < 4; ++col) {
                grid_.SetTextMatrix(row, col, texts[static_cast<std::size_t>(col - 1)]);
            }
        }
        grid_.SetRedraw(true);
    }
    int Width(int col) { return grid_.View().columnWidth(col); }
    int TextWidth(const std::string& text) {
        return grid_.View().fontMetrics().horizontalAdvance(QString::fromStdString(text));
    }
    int HeaderTextWidth(int col) {
        return grid_.View().horizontalHeader()->fontMetrics().horizontalAdvance(
            QString::fromStdString(grid_.TextMatrix(0, col)));
    }
    // As a user does: a drag of the column's right edge in the header.
    void DragEdge(int col, int by) {
        QHeaderView& header = *grid_.View().horizontalHeader();
        const int edge = header.sectionViewportPosition(col) + header.sectionSize(col) - 1;
        const QPoint from(edge, header.height() / 2);
        QTest::mousePress(header.viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(header.viewport(), from + QPoint(by, 0));
        QTest::mouseRelease(header.viewport(), Qt::LeftButton, {}, from + QPoint(by, 0));
    }

    const std::string name_ = "高强度六角头螺栓 M12×80 镀锌";
    const std::string longNote_ = std::string(120, 'W');
    FlexGrid grid_;
};

TEST_F(FlexGridColumnFitTest, AFillGivesACodeANarrowColumnAndANameAWideOneWithinTheLimit) {
    Fill(30, [&](int) { return std::vector<std::string>{"件", name_, longNote_}; });
    EXPECT_EQ(Width(0), 100);  // a column the program sized stays so
    EXPECT_GE(Width(1), TextWidth("件"));
    EXPECT_LT(Width(1), HeaderTextWidth(1) + 10);
    EXPECT_GE(Width(2), TextWidth(name_));
    EXPECT_LT(Width(2), TextWidth(name_) + 30);
    EXPECT_NEAR(Width(3), kLimit, 1);
    EXPECT_FALSE(grid_.ColSizedByUser(1));
}

TEST_F(FlexGridColumnFitTest, MeasuresTheFirstRowsOnlyAndFitsWhenTheyAreFirstShown) {
    // A long name far down, and one written after the first rows were shown.
    const int farRow = FlexGrid::kSizingRows + 300;
    grid_.SetRows(farRow + 1);
    grid_.SetRedraw(false);
    for (int row = 1; row <= farRow; ++row) {
        grid_.SetTextMatrix(row, 2, row == farRow ? name_ : "螺母");
        if (row == FlexGrid::kSizingRows) {
            grid_.SetRedraw(true);  // as the fill lets events run
            grid_.SetRedraw(false);
        }
    }
    grid_.SetRedraw(true);
    EXPECT_LT(Width(2), TextWidth(name_));
    EXPECT_GE(Width(2), TextWidth("螺母"));

    Fill(3, [&](int) { return std::vector<std::string>{"件", name_, "-"}; });
    EXPECT_GE(Width(2), TextWidth(name_));  // a new fill measures again
}

TEST_F(FlexGridColumnFitTest, AColumnTheUserSizedKeepsItsWidthThroughRefills) {
    Fill(5, [&](int) { return std::vector<std::string>{"件", name_, "-"}; });
    const int fitted = Width(2);
    DragEdge(2, -40);
    ASSERT_TRUE(grid_.ColSizedByUser(2));
    const int usersWidth = Width(2);
    EXPECT_EQ(usersWidth, fitted - 40);

    Fill(5, [&](int) { return std::vector<std::string>{"件", name_ + name_, "-"}; });
    EXPECT_EQ(Width(2), usersWidth);
    grid_.AutoSizeCols();
    EXPECT_EQ(Width(2), usersWidth);
    EXPECT_FALSE(grid_.ColSizedByUser(1));
    EXPECT_FALSE(grid_.ColSizedByUser(3));

    // Gone with its column: a new column in its place is the program's again.
    grid_.SetCols(2);
    grid_.SetCols(4);
    EXPECT_FALSE(grid_.ColSizedByUser(2));
}

TEST_F(FlexGridColumnFitTest, WhatTheProgramDoesToTheGridIsNotTakenForTheUsersSizing) {
    Fill(5, [&](int row) { return std::vector<std::string>{"件", name_, std::to_string(row)}; });
    grid_.SetColWidth(1, 900);
    grid_.AutoSizeCols();
    grid_.Sort(3, Qt::DescendingOrder);
    grid_.SetCols(6);
    ASSERT_TRUE(grid_.SetFixedRows(0));
    ASSERT_TRUE(grid_.SetFixedRows(1));
    grid_.resize(400, 300);
    for (int col = 0; col < grid_.Cols(); ++col) {
        EXPECT_FALSE(grid_.ColSizedByUser(col)) << col;
    }
}

TEST_F(FlexGridColumnFitTest, AnEmptyFillLeavesTheWidthsForTheNextFill) {
    Fill(0, [&](int) { return std::vector<std::string>{}; });
    EXPECT_EQ(Width(2), 100);
    Fill(2, [&](int) { return std::vector<std::string>{"件", name_, "-"}; });
    EXPECT_GE(Width(2), TextWidth(name_));
}

TEST_F(FlexGridColumnFitTest, ALongCaptionOverShortCodesTakesTwoLines) {
    grid_.SetTextMatrix(0, 1, "主计量单位编码");
    grid_.SetTextMatrix(0, 3, "Unit of measure");
    Fill(3, [&](int) { return std::vector<std::string>{"01", name_, "kg"}; });
    const QHeaderView& header = *grid_.View().horizontalHeader();
    EXPECT_GE(header.height(), 2 * header.fontMetrics().lineSpacing());
    for (const int col : {1, 3}) {
        EXPECT_LT(Width(col), HeaderTextWidth(col)) << col;
        EXPECT_GE(Width(col), HeaderTextWidth(col) / 2) << col;
    }
    // Words stay whole: the longest word of a caption sets the least width.
    EXPECT_GE(Width(3), header.fontMetrics().horizontalAdvance(QStringLiteral("measure")));
    // A caption that fits one line beside a wide column is not wrapped.
    EXPECT_GE(Width(2), HeaderTextWidth(2));
}

// A list window's grid: the columns that follow their contents share what a wider window gives.
class FlexGridSpareWidthTest : public FlexGridColumnFitTest {
protected:
    void SetUp() override {
        FlexGridColumnFitTest::SetUp();
        grid_.SetSpreadSpareWidth(true);
        Fill(5, [&](int) { return std::vector<std::string>{"件", "螺母", "-"}; });
    }
    int Used() {
        int used = 0;
        for (int col = 0; col < grid_.Cols(); ++col) {
            used += Width(col);
        }
        return used;
    }
    int Room() { return grid_.View().viewport()->width(); }
    void ResizeTo(int width) {
        grid_.resize(width, grid_.height());
        QCoreApplication::processEvents();
    }
};

TEST_F(FlexGridSpareWidthTest, AWiderGridSpreadsItsSpareWidthOverTheFittedColumns) {
    ResizeTo(200);  // narrower than the columns: nothing to spare
    const std::vector<int> fitted{Width(1), Width(2), Width(3)};
    ResizeTo(600);
    ASSERT_LT(fitted[0] + fitted[1] + fitted[2] + 100, Room()) << "room to spare";
    EXPECT_EQ(Used(), Room());
    ResizeTo(1400);
    EXPECT_EQ(Used(), Room());
    EXPECT_EQ(Width(0), 100) << "a column the program sized keeps its width";
    for (int col = 1; col <= 3; ++col) {
        EXPECT_GT(Width(col), fitted[static_cast<std::size_t>(col - 1)]) << col;
    }
    // Narrowed below what the columns need, they go back to their fitted widths.
    ResizeTo(200);
    EXPECT_EQ(Width(1), fitted[0]);
    EXPECT_EQ(Width(2), fitted[1]);
    EXPECT_EQ(Width(3), fitted[2]);
}

TEST_F(FlexGridSpareWidthTest, AColumnTheUserSizedKeepsItsWidthWhenTheGridIsWidened) {
    ResizeTo(800);
    DragEdge(2, -20);
    ASSERT_TRUE(grid_.ColSizedByUser(2));
    const int usersWidth = Width(2);
    ResizeTo(1400);
    EXPECT_EQ(Width(2), usersWidth);
    EXPECT_EQ(Used(), Room());
}

TEST_F(FlexGridColumnFitTest, WithoutSpreadingAWiderGridLeavesTheFittedWidths) {
    Fill(5, [&](int) { return std::vector<std::string>{"件", "螺母", "-"}; });
    const int fitted = Width(2);
    grid_.resize(1400, grid_.height());
    QCoreApplication::processEvents();
    EXPECT_EQ(Width(2), fitted);
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
