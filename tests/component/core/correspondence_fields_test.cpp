#include "core/correspondence_fields.h"

#include <gtest/gtest.h>

namespace korvel::test {
namespace {

// "" stands for no field at that position.
std::string_view ColumnOf(const CorrespondenceField* field) {
    return field ? field->column : std::string_view();
}

TEST(CorrespondenceFields, GridColumnsHoldTheQueryColumnsAndNothingBeyondThem) {
    const std::pair<int, std::string_view> cases[] = {{0, ""},
                                                      {1, "cInvCode"},
                                                      {5, "cGroupName"},
                                                      {6, "cComunitCode"},
                                                      {7, "cComUnitName"},
                                                      {13, "cFrequency"},
                                                      {16, "cWhPersonCode"},
                                                      {17, "Person.cPersonName"},
                                                      {18, ""},
                                                      {kNoPosition, ""}};
    for (const auto& [column, expected] : cases) {
        EXPECT_EQ(ColumnOf(FieldAtGridColumn(column)), expected) << column;
    }
    EXPECT_EQ(FieldsInGridOrder().size(), 17u);
}

TEST(CorrespondenceFields, CaptionsBelongToTheirFieldsAndTheLastIndexToNone) {
    const std::pair<int, std::string_view> cases[] = {
        {0, "cInvCode"},       {4, "cComunitCode"},        {5, "iTopSum"},
        {12, "dLastDate"},     {13, "cGroupName"},         {14, "cComUnitName"},
        {15, "cWhPersonCode"}, {16, "Person.cPersonName"}, {17, ""}};
    for (const auto& [index, expected] : cases) {
        EXPECT_EQ(ColumnOf(FieldOfCaption(index)), expected) << index;
    }
}

TEST(CorrespondenceFields, ColumnsAreFoundWhateverTheirCase) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"CFREQUENCY", "cFrequency"},
        {"cwhcode", "cWhCode"},
        {"person.cpersonname", "Person.cPersonName"},
        {"cPersonName", ""},
        {"cFrequency2", ""},
        {"", ""}};
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(ColumnOf(FieldNamed(name)), expected) << name;
    }
}

}  // namespace
}  // namespace korvel::test
