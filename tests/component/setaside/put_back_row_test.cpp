#include "setaside/put_back_row.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

struct StoredValue {
    const char* column;
    std::optional<std::string> stored;
    // What the editor is given; nullopt: the field is left for the user.
    std::optional<std::string> given;
};

class PutBackRowTest : public ::testing::TestWithParam<StoredValue> {};

TEST_P(PutBackRowTest, GivesTheEditorOnlyWhatStillReads) {
    FieldCatalogue catalogue;
    catalogue.arrFreqValue = {"天", "周", "月"};
    catalogue.arrFreqText = {"日", "星期", "月份"};
    const StoredValue& value = GetParam();
    const SetAsideRow kept{
        "1", "not_a_number", "2024-03-01 08:00:00", {{value.column, value.stored}}};
    const CorrespondenceRow row = RowToPutBack(kept, catalogue);
    EXPECT_EQ(row.Value(*FieldNamed(value.column)), value.given);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PutBackRowTest,
    ::testing::Values(StoredValue{"cWhCode", " 01 ", "01"}, StoredValue{"cWhCode", "  ", {}},
                      StoredValue{"cInvCode", {}, {}}, StoredValue{"iTopSum", "12.5", "12.5"},
                      StoredValue{"iTopSum", "abc", {}}, StoredValue{"iTopSum", "1e999", {}},
                      StoredValue{"iWastage", "-3", "-3"}, StoredValue{"iFrequency", "2", "2"},
                      StoredValue{"iFrequency", "1.5", {}}, StoredValue{"iDays", "31", "31"},
                      StoredValue{"cFrequency", "月", "月份"}, StoredValue{"cFrequency", "年", {}},
                      StoredValue{"dLastDate", "2024-2-3", "2024-02-03"},
                      StoredValue{"dLastDate", "2024-02-30", {}},
                      StoredValue{"dLastDate", "1899-12-31", {}},
                      StoredValue{"cWhPersonCode", "P01", "P01"}));

}  // namespace
}  // namespace korvel
