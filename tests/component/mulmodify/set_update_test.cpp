#include "mulmodify/set_update.h"

#include "modify_test_base.h"

namespace korvel::test {
namespace {

class SetUpdateTest : public ModifyTestBase {};

// What the editor would save for the same text: the date's stored form, the unit's code.
TEST_F(SetUpdateTest, StoresADateInItsStoredFormAndAUnitAsItsCode) {
    database.AddCorrespondence(
        "01", "A001",
        {{"cFrequency", "月"}, {"iFrequency", 1}, {"iDays", 3}, {"dLastDate", "2024-01-02"}});
    context.catalogue.arrFreqText = {"day", "week", "month"};
    for (const auto& [field, typed, stored] : {std::tuple{"dLastDate", "2024/5/6", "2024-05-06"},
                                               {"dLastDate", " 2024-5-7 ", "2024-05-07"},
                                               {"cFrequency", "week", "周"}}) {
        AnswerYes();
        Request("1=1", field, typed);
        EXPECT_EQ(Cell("01", "A001", field), stored) << typed;
    }
}

}  // namespace
}  // namespace korvel::test
