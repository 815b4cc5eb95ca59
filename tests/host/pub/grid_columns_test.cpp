#include "host/pub/grid_columns.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QHeaderView>
#include <QTableView>

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

TEST_F(GridColumnsTest, WithoutARecordsetOnlyTheSerialIsSet) {
    FormatGridColumns(grid, nullptr);
    EXPECT_TRUE(grid.ColAlignment(0) & Qt::AlignRight);
    EXPECT_GT(grid.View().columnWidth(0), HeaderTextWidth(0));
}

}  // namespace
}  // namespace zel
