#include "mulmodify/modify_condition_check.h"

#include "modify_test_base.h"

namespace korvel::test {
namespace {

class ModifyConditionCheckTest : public ModifyTestBase {
protected:
    // The condition after the check, or "refused".
    std::string Narrowed(const std::string& field, const std::string& value) {
        std::string condition = "(1=1)";
        const bool ok =
            CheckModifyCondition(context, condition, "字段", *FindModifiableField(field), value);
        return ok ? condition : "refused";
    }
};

TEST_F(ModifyConditionCheckTest, AppendsEachFragmentWithItsLeadingBlankAndTheValueQuoted) {
    const std::pair<const char*, const char*> cases[] = {
        {"iTopSum",
         "(1=1) and (WhInvContrapose.iLowSum<='50' or WhInvContrapose.iLowSum is null) and "
         "(WhInvContrapose.iSafeNum<='50' or WhInvContrapose.iSafeNum is null)"},
        {"iLowSum",
         "(1=1) and (WhInvContrapose.iTopSum>='50' or WhInvContrapose.iTopSum is null) and "
         "(WhInvContrapose.iSafeNum>='50' or WhInvContrapose.iSafeNum is null)"},
        {"iSafeNum",
         "(1=1) and (WhInvContrapose.iTopSum>='50' or WhInvContrapose.iTopSum is null) and "
         "(WhInvContrapose.iLowSum<='50' or WhInvContrapose.iLowSum is null)"},
        {"iWastage", "(1=1)"},
        {"iFrequency", "(1=1)"},
    };
    for (const auto& [field, expected] : cases) {
        EXPECT_EQ(Narrowed(field, "50"), expected) << field;
    }
}

TEST_F(ModifyConditionCheckTest, NarrowsTheCycleUnitByTheCheckDayItAllows) {
    EXPECT_EQ(Narrowed("cFrequency", "天"),
              "(1=1) and (WhInvContrapose.iDays is null ) and (WhInvContrapose.iFrequency is not "
              "null) ");
    EXPECT_EQ(Narrowed("cFrequency", "周"),
              "(1=1) and WhInvContrapose.idays<=7 and (WhInvContrapose.iFrequency is not null) ");
    EXPECT_EQ(Narrowed("cFrequency", "月"), "(1=1)");
    EXPECT_EQ(Narrowed("cFrequency", ""), "(1=1)");
}

TEST_F(ModifyConditionCheckTest, RefusesAValueTheFieldCannotHold) {
    const std::pair<const char*, const char*> cases[] = {
        {"iTopSum", "abc"},
        {"iLowSum", "1) or (1=1"},
        {"iSafeNum", "5'"},
        {"iWastage", "x"},
        {"iFrequency", "1.5"},
        {"cFrequency", "年"},
        {"cFrequency", "月' or '1'='1"},
    };
    for (const auto& [field, value] : cases) {
        database.Dialogs().Clear();
        EXPECT_EQ(Narrowed(field, value), "refused") << field << " " << value;
        EXPECT_EQ(Messages(),
                  std::vector<std::string>{Text("Zel.AA.ARCHIVE.COMMON.conditionerror")})
            << field << " " << value;
    }
}

TEST_F(ModifyConditionCheckTest, RefusesAnEmptyLimitNamingItsCaption) {
    for (const char* field : {"iTopSum", "iLowSum", "iSafeNum"}) {
        database.Dialogs().Clear();
        EXPECT_EQ(Narrowed(field, ""), "refused") << field;
        EXPECT_EQ(Messages(), std::vector<std::string>{
                                  Text("Zel.AAARCHIVE.COMMON.modify_empty_limit", {"字段"})});
    }
    EXPECT_EQ(Narrowed("iWastage", ""), "(1=1)");
    EXPECT_EQ(Narrowed("iFrequency", ""), "(1=1)");
}

TEST_F(ModifyConditionCheckTest, AsksTheHostAboutCodes) {
    context.login.sAuthPersonW = "(P)";
    EXPECT_EQ(Narrowed("CWhCode", "01"), "(1=1)");
    EXPECT_EQ(Narrowed("cInvCode", "A001"), "(1=1)");
    EXPECT_EQ(Narrowed("cWhPersonCode", ""), "(1=1)");
    EXPECT_EQ(host->calls, (std::vector<std::string>{"IFExists warehouse 字段 01 1  (1=1)",
                                                     "IFExists inventory 字段 A001 1  (1=1)",
                                                     "IFExists Person 字段  0  (P)"}));
    host->refusedValues = {"09"};
    EXPECT_EQ(Narrowed("CWhCode", "09"), "refused");
    EXPECT_TRUE(Messages().empty());
}

// Dates are checked as the editor checks them; the host only says why one is refused.
TEST_F(ModifyConditionCheckTest, TakesTheDatesTheEditorTakes) {
    for (const char* date : {"2024-01-31", "2024/1/31", ""}) {
        EXPECT_EQ(Narrowed("dLastDate", date), "(1=1)") << date;
    }
    EXPECT_TRUE(host->calls.empty());
    for (const char* date : {"2024-02-30", "1850-01-01", "2024.1.31"}) {
        EXPECT_EQ(Narrowed("dLastDate", date), "refused") << date;
    }
    EXPECT_EQ(host->calls, (std::vector<std::string>{"CheckDateStyle 2024-02-30 字段",
                                                     "CheckDateStyle 1850-01-01 字段",
                                                     "CheckDateStyle 2024.1.31 字段"}));
}

}  // namespace
}  // namespace korvel::test
