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

TEST(GridQuery, TheFilterQueryKeepsTheFindConditionWithinTheWarehouseAndTheRights) {
    EXPECT_EQ(
        FilteredRowsQuery(GridFields(), "O'K1", "Inventory.cInvName='a' or 1=1",
                          "(Inventory.cInvCode in ('A'))"),
        "Select  WhInvContrapose.cInvCode,Inventory.cInvName,Inventory.cInvStd,"
        "Inventory.cGroupCode,computationGroup.cGroupName,Inventory.cComunitCode,"
        "ComputationUnit.cComUnitName ,WhInvContrapose.iTopSum,WhInvContrapose.iLowSum,"
        "WhInvContrapose.iSafeNum,WhInvContrapose.iWastage,WhInvContrapose.iFrequency,"
        "WhInvContrapose.cFrequency,WhInvContrapose.iDays,WhInvContrapose.dLastDate,"
        "cWhPersonCode,Person.cPersonName"
        " from WhInvContrapose inner join Inventory  on WhInvContrapose.cInvCode=Inventory.cInvCode"
        " Left Join computationGroup on Inventory.cGroupcode=computationGroup.cGroupCode "
        " Left Join  ComputationUnit on Inventory.cComUnitCode=ComputationUnit.cComUnitCode "
        "Left join Person on WhInvContrapose.cWhPersonCode=Person.cPersonCode "
        " where WhInvContrapose.CWhCode='O''K1' and (Inventory.cInvName='a' or 1=1) and "
        "(Inventory.cInvCode in ('A')) ORDER BY WhInvContrapose.cInvCode asc");
}

TEST(GridQuery, TheExportQueryNamesEveryGridColumnWithItsTableAndFindsNoRow) {
    EXPECT_EQ(ExportColumnsQuery(GridFields()),
              "Select WhInvContrapose.cInvCode,Inventory.cInvName,Inventory.cInvStd,"
              "Inventory.cGroupCode,computationGroup.cGroupName,Inventory.cComunitCode,"
              "ComputationUnit.cComUnitName ,WhInvContrapose.iTopSum,WhInvContrapose.iLowSum,"
              "WhInvContrapose.iSafeNum,WhInvContrapose.iWastage,WhInvContrapose.iFrequency,"
              "WhInvContrapose.cFrequency,WhInvContrapose.iDays,WhInvContrapose.dLastDate,"
              "WhInvContrapose.cWhPersonCode,Person.cPersonName from WhInvContrapose , "
              "Inventory,computationGroup,ComputationUnit,person  where 1=2");
}

TEST(GridQuery, QualifyFieldLeavesAFieldThatNamesItsTable) {
    const struct {
        const char* field;
        const char* qualified;
    } cases[] = {
        {"iTopSum", "WhInvContrapose.iTopSum"},
        {"Person.cPersonName", "Person.cPersonName"},
        {"a.b.c", "a.b.c"},
        {"", "WhInvContrapose."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(QualifyField("WhInvContrapose", c.field), c.qualified) << c.field;
    }
}

// The service compares cInvCode with the condition inside a literal of its own.
TEST(GridQuery, TheDeleteConditionClosesTheCodeAndNamesTheWarehouseWithEveryQuoteDoubled) {
    EXPECT_EQ(DeleteCondition("A01", "02"), "A01' and  Cwhcode='02");
    EXPECT_EQ(DeleteCondition("X' or '1'='1", "O'K"), "X'' or ''1''=''1' and  Cwhcode='O''K");
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
