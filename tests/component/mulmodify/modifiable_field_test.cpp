#include "mulmodify/modifiable_field.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

TEST(ModifiableFieldTest, KnowsTheTenFieldsBareOrQualifiedInAnyCase) {
    using Kind = ModifiableField::Kind;
    const std::pair<const char*, Kind> names[] = {
        {"CWhCode", Kind::kWarehouseCode},
        {"whinvcontrapose.cwhcode", Kind::kWarehouseCode},
        {"WhInvContrapose.cInvCode", Kind::kInventoryCode},
        {"ITOPSUM", Kind::kLimit},
        {"whinvcontrapose.iLowSum", Kind::kLimit},
        {"iSafeNum", Kind::kLimit},
        {"iWastage", Kind::kNumber},
        {"iFrequency", Kind::kCount},
        {"whinvcontrapose.cFrequency", Kind::kUnit},
        {"dLastDate", Kind::kDate},
        {"cWhPersonCode", Kind::kPersonCode},
    };
    for (const auto& [name, kind] : names) {
        const auto field = FindModifiableField(name);
        ASSERT_TRUE(field) << name;
        EXPECT_EQ(field->kind, kind) << name;
    }
}

TEST(ModifiableFieldTest, RefusesEveryOtherName) {
    for (const char* name : {"iDays", "cCreatePerson", "Inventory.cInvCode", "whinvcontrapose.", "",
                             "iTopSum=1,iLowSum", "x.iTopSum"}) {
        EXPECT_FALSE(FindModifiableField(name)) << name;
    }
}

TEST(ModifiableFieldTest, OnlyTheTwoKeysChangeRowByRow) {
    EXPECT_TRUE(FindModifiableField("CWhCode")->IsKey());
    EXPECT_TRUE(FindModifiableField("cInvCode")->IsKey());
    EXPECT_FALSE(FindModifiableField("cWhPersonCode")->IsKey());
    EXPECT_TRUE(FindModifiableField("cWhPersonCode")->IsCode());
}

TEST(ModifiableFieldTest, ReadsDecimalAndWholeNumbers) {
    const struct {
        const char* text;
        bool decimal;
        bool whole;
    } cases[] = {
        {"50", true, true},           {" 50 ", true, true},  {"-3", true, true},
        {"+7", true, true},           {"1.5", true, false},  {".5", true, false},
        {"5.", true, false},          {"", false, false},    {".", false, false},
        {"-", false, false},          {"1e3", false, false}, {"1.2.3", false, false},
        {"1) or (1=1", false, false}, {"5'", false, false},  {"0x10", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsDecimalNumber(c.text), c.decimal) << c.text;
        EXPECT_EQ(IsWholeNumber(c.text), c.whole) << c.text;
    }
}

}  // namespace
}  // namespace korvel
