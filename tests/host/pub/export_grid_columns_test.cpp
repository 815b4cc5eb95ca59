#include "host/pub/export_grid_columns.h"

#include <gtest/gtest.h>

#include "host/controls/flex_grid.h"
#include "host/objects/object_registry.h"
#include "host/pub/register_pub_service.h"
#include "interfaces/pub.h"
#include "support/test_database.h"

namespace zel {
namespace {

// The main window's export query: no rows, the grid's 17 fields in the grid's order.
constexpr const char* kExportQuery =
    "Select WhInvContrapose.cInvCode,Inventory.cInvName,Inventory.cInvStd,Inventory.cGroupCode,"
    "computationGroup.cGroupName,Inventory.cComunitCode,ComputationUnit.cComUnitName ,"
    "WhInvContrapose.iTopSum,WhInvContrapose.iLowSum,WhInvContrapose.iSafeNum,"
    "WhInvContrapose.iWastage,WhInvContrapose.iFrequency,WhInvContrapose.cFrequency,"
    "WhInvContrapose.iDays,WhInvContrapose.dLastDate,WhInvContrapose.cWhPersonCode,"
    "Person.cPersonName from WhInvContrapose , Inventory,computationGroup,ComputationUnit,person  "
    "where 1=2";

constexpr int kGridCols = 18;

class ExportGridColumnsTest : public ::testing::Test {
protected:
    ExportGridColumnsTest() {
        std::string sql = kExportQuery;
        recordset = database.OpenService()->OpenX(sql);
        grid.SetCols(kGridCols);
        grid.SetRows(1);
        grid.SetFixedRows(1);
    }

    // A row as the main window shows it: quantities with the account's two digits.
    void AddRow(const char* topSum, const char* wastage, const char* frequency) {
        const int row = grid.Rows();
        grid.SetRows(row + 1);
        const char* cells[kGridCols] = {"1",       "A001", "螺钉", "M5",         "01",    "个组",
                                        "01",      "个",   topSum, "10.00",      "20.00", wastage,
                                        frequency, "周",   "3",    "2024-03-01", "P01",   "张三"};
        for (int col = 0; col < kGridCols; ++col) {
            grid.SetTextMatrix(row, col, cells[col]);
        }
    }

    test::TestDatabase database;
    std::shared_ptr<IRecordset> recordset;
    FlexGrid grid;
};

TEST_F(ExportGridColumnsTest, TheHostDescribesTheMainWindowsGridFromItsExportQuery) {
    ASSERT_NE(recordset, nullptr);
    ASSERT_EQ(recordset->FieldCount(), kGridCols - 1);
    AddRow("100.00", "0.50", "1");
    AddRow("", "0.125", "2");
    ObjectRegistry registry;
    RegisterPubService(registry, database.Environment());
    const auto pub = CreateObjectAs<IPub>(registry, "ZelPub.IPub");
    ASSERT_NE(pub, nullptr);
    std::string types;
    std::string sizes;
    pub->GetTypeSize(types, sizes, recordset, grid);
    EXPECT_EQ(types, "N,T,T,T,T,T,T,T,N,N,N,N,N,T,N,D,T,T");
    EXPECT_EQ(sizes, "0,60,255,255,35,255,35,60,2,2,2,3,0,2,0,10,20,40");
}

TEST_F(ExportGridColumnsTest, DecimalsComeFromEveryRowAndOnlyFromNumbers) {
    AddRow("100.00", "n.a.", "1");
    for (int row = 0; row < 2 * FlexGrid::kSizingRows; ++row) {
        AddRow("1.00", "", "1");
    }
    AddRow("1.0000", "1.5e3", "2");
    const std::vector<ExportColumn> columns = GridExportColumns(grid, recordset.get());
    ASSERT_EQ(columns.size(), static_cast<std::size_t>(kGridCols));
    EXPECT_EQ(columns[8], (ExportColumn{FieldKind::kNumber, 4}));
    EXPECT_EQ(columns[11], (ExportColumn{FieldKind::kNumber, 0}));
    EXPECT_EQ(columns[12], (ExportColumn{FieldKind::kNumber, 0}));
}

TEST_F(ExportGridColumnsTest, ColumnsWithoutAFieldAreText) {
    grid.SetCols(kGridCols + 2);
    std::vector<ExportColumn> columns = GridExportColumns(grid, recordset.get());
    ASSERT_EQ(columns.size(), static_cast<std::size_t>(kGridCols + 2));
    EXPECT_EQ(columns[kGridCols], ExportColumn{});
    EXPECT_EQ(columns[kGridCols + 1], ExportColumn{});

    columns = GridExportColumns(grid, nullptr);
    ASSERT_EQ(columns.size(), static_cast<std::size_t>(kGridCols + 2));
    EXPECT_EQ(columns[0], (ExportColumn{FieldKind::kNumber, 0}));
    EXPECT_EQ(columns[1], ExportColumn{});
}

TEST_F(ExportGridColumnsTest, AGridWithoutColumnsHasNoDescription) {
    grid.SetCols(0);
    EXPECT_TRUE(GridExportColumns(grid, recordset.get()).empty());
}

}  // namespace
}  // namespace zel
