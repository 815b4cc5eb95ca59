#include "host/objects/host_number.h"

#include <gtest/gtest.h>
#include "support/case_name.h"

namespace zel {
namespace {

struct NumberCase {
    const char* text;
    bool valid;
    int integerDigits;
    int fractionDigits;
};

void PrintTo(const NumberCase& c, std::ostream* out) {
    *out << '"' << c.text << '"';
}

class HostNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(HostNumberTest, ReadsOnlyPlainDecimals) {
    const auto number = HostNumber::Parse(GetParam().text);
    ASSERT_EQ(number.has_value(), GetParam().valid) << GetParam().text;
    if (number) {
        EXPECT_EQ(number->IntegerDigits(), GetParam().integerDigits) << GetParam().text;
        EXPECT_EQ(number->FractionDigits(), GetParam().fractionDigits) << GetParam().text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, HostNumberTest,
    ::testing::Values(NumberCase{"100", true, 3, 0}, NumberCase{" 007.50 ", true, 1, 1},
                      NumberCase{"-2.125", true, 1, 3}, NumberCase{"+3", true, 1, 0},
                      NumberCase{".5", true, 0, 1}, NumberCase{"5.", true, 1, 0},
                      NumberCase{"0", true, 0, 0}, NumberCase{"1,5", false, 0, 0},
                      NumberCase{"1 000", false, 0, 0}, NumberCase{"1e3", false, 0, 0},
                      NumberCase{"0x10", false, 0, 0}, NumberCase{"", false, 0, 0},
                      NumberCase{"-", false, 0, 0}, NumberCase{".", false, 0, 0},
                      NumberCase{"--1", false, 0, 0}, NumberCase{"1.2.3", false, 0, 0},
                      NumberCase{"inf", false, 0, 0}, NumberCase{"１２", false, 0, 0}),
    [](const auto& info) {
        return ::zel::test::CaseName(std::to_string(info.index) + " " + info.param.text,
                                     info.index);
    });

TEST(HostNumberValue, WholeNumbersAreIntegersAndFitIsByDigits) {
    EXPECT_EQ(HostNumber::Parse("12.00")->Value(), Variant(12));
    EXPECT_EQ(HostNumber::Parse("-0.5")->Value(), Variant(-0.5));
    EXPECT_TRUE(HostNumber::Parse("99999999999999.999999")->FitsDecimal(20, 6));
    EXPECT_FALSE(HostNumber::Parse("100000000000000")->FitsDecimal(20, 6));
    EXPECT_FALSE(HostNumber::Parse("0.0000001")->FitsDecimal(20, 6));
}

}  // namespace
}  // namespace zel
