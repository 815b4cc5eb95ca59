#include "host/pub/grid_cell_text.h"

#include <gtest/gtest.h>

#include <pugixml.hpp>

namespace zel {
namespace {

constexpr const char* kQuantityStyle =
    "<style><itopsum>2</itopsum><ilowsum>0</ilowsum><isafenum>3</isafenum>"
    "<iwastage>nonsense</iwastage></style>";

struct CellCase {
    const char* name;
    Variant value;
    const char* field;
    const char* expected;
};

class GridCellTextTest : public ::testing::TestWithParam<CellCase> {
protected:
    GridCellTextTest() { document.load_string(kQuantityStyle); }
    pugi::xml_document document;
};

TEST_P(GridCellTextTest, ShowsTheValueAsTheGridShowsIt) {
    const CellCase& cell = GetParam();
    EXPECT_EQ(GridCellText(cell.value, cell.field, document.child("style")), cell.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, GridCellTextTest,
    ::testing::Values(
        CellCase{"NullIsEmpty", Variant(), "iTopSum", ""},
        CellCase{"NullDateIsEmpty", Variant(), "dLastDate", ""},
        CellCase{"DigitsFromTheStyle", Variant(12.5), "iTopSum", "12.50"},
        CellCase{"StyleNamesAreLowerCase", Variant(12.5), "ITOPSUM", "12.50"},
        CellCase{"StyleRoundsHalfAway", Variant(2.675), "iTopSum", "2.68"},
        CellCase{"StyleZeroDigits", Variant(7.5), "iLowSum", "8"},
        CellCase{"StyleAppliesToWholeNumbers", Variant(3), "iSafeNum", "3.000"},
        CellCase{"StyleAppliesToNumberTexts", Variant("4.1"), "iSafeNum", "4.100"},
        CellCase{"UnreadableDigitsLeaveThePlainNumber", Variant(4.4), "iWastage", "4.4"},
        CellCase{"StyleLeavesNonNumbersAlone", Variant("n/a"), "iTopSum", "n/a"},
        CellCase{"IntegerWithoutStyle", Variant(42), "iFrequency", "42"},
        CellCase{"WholeRealWithoutPoint", Variant(100.0), "iDays", "100"},
        CellCase{"NegativeZeroIsZero", Variant(-0.0), "iDays", "0"},
        CellCase{"FractionAsItIs", Variant(0.25), "iDays", "0.25"},
        CellCase{"LargeRealNotScientific", Variant(1e20), "iDays", "100000000000000000000"},
        CellCase{"DateStaysADate", Variant("2024-03-05"), "dLastDate", "2024-03-05"},
        CellCase{"DateLosesItsTime", Variant("2024-03-05 13:45:00"), "dLastDate", "2024-03-05"},
        CellCase{"DateGetsLeadingZeros", Variant("2024/3/5"), "dLastDate", "2024-03-05"},
        CellCase{"IsoTimeSeparator", Variant("2024-12-31T00:00:00"), "dLastDate", "2024-12-31"},
        CellCase{"LeapDay", Variant("2024-02-29"), "dLastDate", "2024-02-29"},
        CellCase{"NoSuchDateAsItIs", Variant("2023-02-29"), "dLastDate", "2023-02-29"},
        CellCase{"FreeTextInDateField", Variant("soon"), "dLastDate", "soon"},
        CellCase{"TextAsItIs", Variant("成品库 01"), "cWhName", "成品库 01"},
        CellCase{"DateLikeTextOfTextField", Variant("2024/3/5"), "cMemo", "2024/3/5"},
        CellCase{"EmptyTextStaysEmpty", Variant(""), "cWhCode", ""},
        CellCase{"LongFieldName", Variant(1.0),
                 "iAFieldNameFarLongerThanAnyBufferTheFormatterKeepsOnItsStackForNames", "1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GridCellText, WorksWithoutAStyle) {
    EXPECT_EQ(GridCellText(Variant(12.5), "iTopSum", pugi::xml_node()), "12.5");
    EXPECT_EQ(GridCellText(Variant(), "iTopSum", pugi::xml_node()), "");
}

TEST(GridCellText, ExcessiveDigitsAreCapped) {
    pugi::xml_document document;
    document.load_string("<style><itopsum>400</itopsum></style>");
    EXPECT_EQ(GridCellText(Variant(1), "iTopSum", document.child("style")), "1.00000000000000000");
}

}  // namespace
}  // namespace zel
