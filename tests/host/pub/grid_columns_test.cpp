#include "host/pub/grid_columns.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QHeaderView>
#include <QTableView>
#include <string>
#include <vector>

#include "host/controls/flex_grid.h"
#include "support/test_database.h"

namespace zel {
namespace {

class GridColumnsTest : public ::testing::Test {
protected:
    GridColumnsTest() {
        std::string sql =
            "select cWhCode, iTopSum, dLastDate, cInvCode, cFrequency from WhInvContrapose "
            "where 1=2";
        recordset = database.OpenService()->OpenX(sql);
        grid.SetCols(6);
        grid.SetRows(1);
        grid.SetFixedRows(1);
        const char* headers[] = {"序号",         "仓库编码", "最高库存",
                                 "上次盘点日期", "存货编码", "盘点周期单位"};
        for (int col = 0; col < 6; ++col) {
            grid.SetTextMatrix(0, col, headers[col]);
        }
    }

    int HeaderTextWidth(int col) {
        return QFontMetrics(grid.View().horizontalHeader()->font())
            .horizontalAdvance(QString::fromStdString(grid.TextMatrix(0, col)));
    }

    test::TestDatabase database;
    std::shared_ptr<IRecordset> recordset;
    FlexGrid grid;
};

TEST_F(GridColumnsTest, NumbersAndTheSerialAreRightAlignedTheRestLeft) {
    ASSERT_NE(recordset, nullptr);
    FormatGridColumns(grid, recordset.get());
    EXPECT_TRUE(grid.ColAlignment(0) & Qt::AlignRight);
    EXPECT_TRUE(grid.ColAlignment(1) & Qt::AlignLeft);
    EXPECT_TRUE(grid.ColAlignment(2) & Qt::AlignRight);
    EXPECT_TRUE(grid.ColAlignment(3) & Qt::AlignLeft);
    EXPECT_TRUE(grid.ColAlignment(4) & Qt::AlignLeft);
}

TEST_F(GridColumnsTest, EveryHeaderTextFitsItsColumn) {
    FormatGridColumns(grid, recordset.get());
    for (int col = 0; col < grid.Cols(); ++col) {
        EXPECT_GT(grid.View().columnWidth(col), HeaderTextWidth(col)) << col;
    }
}

TEST_F(GridColumnsTest, ALongerDeclaredSizeGivesAWiderColumn) {
    grid.SetTextMatrix(0, 1, "");
    grid.SetTextMatrix(0, 4, "");
    FormatGridColumns(grid, recordset.get());
    // cWhCode is varchar(10), cInvCode varchar(60).
    EXPECT_GT(grid.View().columnWidth(4), grid.View().columnWidth(1));
    EXPECT_GT(grid.View().columnWidth(1), grid.View().columnWidth(0));
}

TEST_F(GridColumnsTest, NoColumnGrowsPastItsBound) {
    grid.SetTextMatrix(0, 5, std::string(200, 'W'));
    FormatGridColumns(grid, recordset.get());
    EXPECT_LT(grid.View().columnWidth(5), 400);
}

TEST_F(GridColumnsTest, MoreFieldsThanColumnsAreNoFault) {
    grid.SetCols(3);
    FormatGridColumns(grid, recordset.get());
    EXPECT_EQ(grid.Cols(), 3);
    EXPECT_TRUE(grid.ColAlignment(2) & Qt::AlignRight);
}

TEST_F(GridColumnsTest, AColumnTheUserSizedKeepsItsWidthThroughANewLayout) {
    FormatGridColumns(grid, recordset.get());
    // Any resize the grid does not make itself is the user's.
    grid.View().horizontalHeader()->resizeSection(4, 333);
    ASSERT_TRUE(grid.ColSizedByUser(4));
    FormatGridColumns(grid, recordset.get());
    EXPECT_EQ(grid.View().columnWidth(4), 333);
}

TEST_F(GridColumnsTest, WithoutARecordsetOnlyTheSerialIsSet) {
    FormatGridColumns(grid, nullptr);
    EXPECT_TRUE(grid.ColAlignment(0) & Qt::AlignRight);
    EXPECT_GT(grid.View().columnWidth(0), HeaderTextWidth(0));
}

// The main window's layout: its columns, headers and rows of the shape the demo account holds.
class ListLayoutTest : public ::testing::Test {
protected:
    static constexpr int kCols = 18;

    ListLayoutTest() {
        std::string sql =
            "Select WhInvContrapose.cInvCode,Inventory.cInvName,Inventory.cInvStd,"
            "Inventory.cGroupCode,computationGroup.cGroupName,Inventory.cComunitCode,"
            "ComputationUnit.cComUnitName ,WhInvContrapose.iTopSum,WhInvContrapose.iLowSum,"
            "WhInvContrapose.iSafeNum,WhInvContrapose.iWastage,WhInvContrapose.iFrequency,"
            "WhInvContrapose.cFrequency,WhInvContrapose.iDays,WhInvContrapose.dLastDate,"
            "cWhPersonCode,Person.cPersonName from WhInvContrapose inner join Inventory "
            " on WhInvContrapose.cInvCode=Inventory.cInvCode "
            "Left Join computationGroup on Inventory.cGroupcode=computationGroup.cGroupCode "
            "Left Join ComputationUnit on Inventory.cComUnitCode=ComputationUnit.cComUnitCode "
            "Left join Person on WhInvContrapose.cWhPersonCode=Person.cPersonCode where 1=2";
        columns = database.OpenService()->OpenX(sql);
        grid.resize(1000, 600);
        grid.SetCols(kCols);
        grid.SetRows(1);
        grid.SetFixedRows(1);
        const char* headers[kCols] = {
            "序号",           "存货编码",       "存货名称",       "规格型号",     "计量单位组编码",
            "计量单位组名称", "主计量单位编码", "主计量单位名称", "最高库存",     "最低库存",
            "安全库存",       "合理损耗率",     "盘点周期",       "盘点周期单位", "盘点日",
            "上次盘点日期",   "库管员编码",     "库管员名称"};
        for (int col = 0; col < kCols; ++col) {
            grid.SetTextMatrix(0, col, headers[col]);
        }
    }
    // As the list window's fill writes them.
    void Fill(int rows) {
        grid.SetRows(rows + 1);
        grid.SetRedraw(false);
        const char* names[] = {"不锈钢螺栓", "深沟球轴承", "Ball bearing", "骨架油封"};
        const char* specs[] = {"M8×30", "6205-2RS", "DN50 PN16", "35×52×7"};
        // Group, unit, stock limits, loss rate, check cycle, last check, storekeeper.
        const char* rest[] = {"01",   "数量组", "01", "个", "1,200.00",   "100.00", "300.00",
                              "2.50", "7",      "天", "1",  "2024-03-01", "0003",   "张三"};
        for (int row = 1; row <= rows; ++row) {
            const std::size_t kind = static_cast<std::size_t>(row) % 4;
            grid.SetTextMatrix(row, 0, std::to_string(row));
            grid.SetTextMatrix(row, 1, "0101" + std::to_string(100000 + row));
            grid.SetTextMatrix(row, 2, names[kind]);
            grid.SetTextMatrix(row, 3, specs[kind]);
            for (int col = 4; col < kCols; ++col) {
                grid.SetTextMatrix(row, col, rest[col - 4]);
            }
        }
        grid.SetRedraw(true);
    }
    int TotalWidth() {
        int total = 0;
        for (int col = 0; col < kCols; ++col) {
            total += grid.View().columnWidth(col);
        }
        return total;
    }

    test::TestDatabase database;
    std::shared_ptr<IRecordset> columns;
    FlexGrid grid;
};

TEST_F(ListLayoutTest, TheFillSizesEachColumnForWhatItHolds) {
    ASSERT_NE(columns, nullptr);
    FormatGridColumns(grid, columns.get());
    grid.show();
    Fill(450);
    const QTableView& view = grid.View();
    // The two-character unit code and the unit name are far narrower than an item's name.
    EXPECT_LT(view.columnWidth(6), view.columnWidth(2));
    EXPECT_LT(view.columnWidth(7), view.columnWidth(2));
    EXPECT_LT(view.columnWidth(12), view.columnWidth(15));  // cycle count against a date
    // Long captions over short values take two lines: a 1,000-pixel window shows every column.
    EXPECT_LE(TotalWidth(), 1000);
}

}  // namespace
}  // namespace zel
