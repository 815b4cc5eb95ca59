#include "host/pub/grid_row_sorter.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <string>
#include <vector>

#include "host/controls/flex_grid.h"

namespace zel {
namespace {

using Texts = std::vector<std::string>;

constexpr int kCode = 1;
constexpr int kTopSum = 2;
constexpr int kLastDate = 3;

// A grid as the host formats and fills it: serial, inventory code, a quantity and a date.
class GridRowSorterTest : public ::testing::Test {
protected:
    GridRowSorterTest() {
        grid_.SetCols(4);
        grid_.SetColField(kCode, {"cInvCode", "WhInvContrapose.cInvCode"});
        grid_.SetColField(kTopSum, {"iTopSum", "WhInvContrapose.iTopSum"});
        grid_.SetColField(kLastDate, {"dLastDate", "WhInvContrapose.dLastDate"});
        Fill({{"序号", "存货编码", "最高库存", "上次盘点日期"},
              {"1", "A10", "10", "2024-03-01"},
              {"2", "a2", "9", ""},
              {"3", "B1", "", "2023-12-31"},
              {"4", "A9", "-2.5", "2024-1-15"},
              {"5", "C0", "9.00", "2023-12-31"}});
    }

    void Fill(const std::vector<Texts>& rows) {
        grid_.SetRows(static_cast<int>(rows.size()));
        for (std::size_t r = 0; r < rows.size(); ++r) {
            for (std::size_t c = 0; c < rows[r].size(); ++c) {
                grid_.SetTextMatrix(static_cast<int>(r), static_cast<int>(c), rows[r][c]);
            }
        }
    }

    Texts Column(int col) const {
        Texts texts;
        for (int row = 1; row < grid_.Rows(); ++row) {
            texts.push_back(grid_.TextMatrix(row, col));
        }
        return texts;
    }

    FlexGrid grid_;
};

struct SortCase {
    const char* name;
    int col;
    Qt::SortOrder order;
    Texts codes;  // the rows, named by their inventory codes, in the sorted order
};

class GridRowSorterOrderTest : public GridRowSorterTest,
                               public ::testing::WithParamInterface<SortCase> {};

TEST_P(GridRowSorterOrderTest, OrdersWholeRowsByTheColumnsKind) {
    ASSERT_TRUE(GridRowSorter(grid_).Sort(GetParam().col, GetParam().order));
    EXPECT_EQ(Column(kCode), GetParam().codes);
    EXPECT_EQ(Column(0), (Texts{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(grid_.TextMatrix(0, 0), "序号");
    EXPECT_EQ(grid_.TextMatrix(0, kTopSum), "最高库存");
}

INSTANTIATE_TEST_SUITE_P(
    Columns, GridRowSorterOrderTest,
    ::testing::Values(
        // 9 and 9.00 are equal and keep their order; the empty cell comes first.
        SortCase{"NumbersAscending", kTopSum, Qt::AscendingOrder, {"B1", "A9", "a2", "C0", "A10"}},
        SortCase{
            "NumbersDescending", kTopSum, Qt::DescendingOrder, {"A10", "a2", "C0", "A9", "B1"}},
        SortCase{"DatesAscending", kLastDate, Qt::AscendingOrder, {"a2", "B1", "C0", "A9", "A10"}},
        SortCase{"CodesAsTexts", kCode, Qt::AscendingOrder, {"A10", "a2", "A9", "B1", "C0"}},
        SortCase{"SerialsAsNumbers", 0, Qt::DescendingOrder, {"C0", "A9", "B1", "a2", "A10"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridRowSorterTest, KeepsEveryCellOfARowTogether) {
    GridRowSorter(grid_).Sort(kLastDate, Qt::DescendingOrder);
    EXPECT_EQ(Column(kCode), (Texts{"A10", "A9", "B1", "C0", "a2"}));
    EXPECT_EQ(Column(kTopSum), (Texts{"10", "-2.5", "", "9.00", "9"}));
    EXPECT_EQ(Column(kLastDate),
              (Texts{"2024-03-01", "2024-1-15", "2023-12-31", "2023-12-31", ""}));
}

TEST_F(GridRowSorterTest, TheCurrentRowFollowsTheRowTheUserHadSelected) {
    grid_.SetRow(4);  // A9
    grid_.SetCol(kTopSum);
    GridRowSorter(grid_).Sort(kTopSum, Qt::AscendingOrder);
    EXPECT_EQ(grid_.Row(), 2);
    EXPECT_EQ(grid_.RowSel(), 2);
    EXPECT_EQ(grid_.TextMatrix(grid_.Row(), kCode), "A9");
}

TEST_F(GridRowSorterTest, AColumnThatShowsAFieldIsNeverRenumbered) {
    grid_.SetColField(0, {"cWhCode", "WhInvContrapose.cWhCode"});
    GridRowSorter(grid_).Sort(kCode, Qt::DescendingOrder);
    EXPECT_EQ(Column(0), (Texts{"5", "3", "4", "2", "1"}));
}

TEST_F(GridRowSorterTest, RefusesAColumnOutsideTheGrid) {
    EXPECT_FALSE(GridRowSorter(grid_).Sort(4, Qt::AscendingOrder));
    EXPECT_FALSE(GridRowSorter(grid_).Sort(-1, Qt::AscendingOrder));
    EXPECT_EQ(Column(0), (Texts{"1", "2", "3", "4", "5"}));
}

TEST_F(GridRowSorterTest, TheModelStaysSoundThroughSortsAndRenumbering) {
    QAbstractItemModelTester tester(&grid_.Model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    GridRowSorter sorter(grid_);
    sorter.Sort(kTopSum, Qt::DescendingOrder);
    sorter.Sort(kLastDate, Qt::AscendingOrder);
    sorter.Sort(0, Qt::AscendingOrder);
    EXPECT_EQ(grid_.Model().rowCount(), 5);
}

}  // namespace
}  // namespace zel
