#include "mainwindow/grid_query.h"

#include <gtest/gtest.h>

#include "mainwindow/warehouse_tree.h"

namespace korvel::test {
namespace {

FieldCatalogue GridFields() {
    FieldCatalogue catalogue;
    catalogue.arrFldName = {"cInvCode",
                            "cInvName",
                            "cInvStd",
                            "cGroupCode",
                            "cComunitCode",
                            "iTopSum",
                            "iLowSum",
                            "iSafeNum",
                            "iWastage",
                            "iFrequency",
                            "cFrequency",
                            "iDays",
                            "dLastDate",
                            "cWhPersonCode",
                            "Person.cPersonName",
                            ""};
    return catalogue;
}

TEST(GridQuery, TheSelectListIsTheHostsCharacterForCharacter) {
    EXPECT_EQ(GridSelectList(GridFields()),
              "Select WhInvContrapose.cInvCode,Inventory.cInvName,Inventory.cInvStd,"
              "Inventory.cGroupCode,computationGroup.cGroupName,Inventory.cComunitCode,"
              "ComputationUnit.cComUnitName ,WhInvContrapose.iTopSum,WhInvContrapose.iLowSum,"
              "WhInvContrapose.iSafeNum,WhInvContrapose.iWastage,WhInvContrapose.iFrequency,"
              "WhInvContrapose.cFrequency,WhInvContrapose.iDays,WhInvContrapose.dLastDate,"
              "cWhPersonCode,Person.cPersonName");
}

TEST(GridQuery, TheWarehouseQueryJoinsFiltersAndSortsAndEscapesTheCode) {
    const std::string query = WarehouseRowsQuery(GridFields(), "O'K1", "(1=1)");
    const std::string tail =
        " from WhInvContrapose inner join Inventory  on "
        "WhInvContrapose.cInvCode=Inventory.cInvCode "
        " Left Join computationGroup on Inventory.cGroupcode=computationGroup.cGroupCode "
        " Left Join  ComputationUnit on Inventory.cComUnitCode=ComputationUnit.cComUnitCode "
        "Left join Person on WhInvContrapose.cWhPersonCode=Person.cPersonCode "
        " where WhInvContrapose.CWhCode='O''K1' and (1=1) ORDER BY WhInvContrapose.cInvCode asc";
    ASSERT_GE(query.size(), tail.size());
    EXPECT_EQ(query.substr(query.size() - tail.size()), tail);
    EXPECT_TRUE(GridColumnsQuery(GridFields()).ends_with("=Person.cPersonCode  where 1=2"));
}

TEST(GridQuery, ListAndRecordQueries) {
    EXPECT_EQ(WarehouseListQuery("(1=2)"),
              "select * from Warehouse where (1=2) order by CWhCode asc");
    EXPECT_EQ(WarehouseRecordsQuery("R&D'"),
              "Select * from WhInvContrapose where CWhCode='R&D''' order by cInvCode asc");
}

TEST(WarehouseNode, KeysTextsAndTheCodeAndNameTakenBackFromThem) {
    EXPECT_EQ(WarehouseNodeKey("10"), "r10");
    EXPECT_EQ(WarehouseNodeText("10", "成品库"), "(10) 成品库");
    EXPECT_EQ(WarehouseCodeOfKey("r10"), "10");
    EXPECT_EQ(WarehouseCodeOfKey("r O'K1 "), "O'K1");
    EXPECT_EQ(WarehouseCodeOfKey("r"), "");
    EXPECT_EQ(WarehouseCodeOfKey(""), "");
    EXPECT_EQ(WarehouseNameOfText("(10) 成品库 ", "10"), "成品库");
    EXPECT_EQ(WarehouseNameOfText("(10)", "10"), "");
}

}  // namespace
}  // namespace korvel::test
