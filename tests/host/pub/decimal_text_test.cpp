#include "host/pub/decimal_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace zel {
namespace {

struct DecimalCase {
    Variant value;
    short digits;
    const char* text;
};

TEST(DecimalText, FormatsNumbersWithTheGivenDecimals) {
    const std::vector<DecimalCase> cases = {
        {Variant(12.5), 2, "12.50"},
        {Variant(12), 3, "12.000"},
        {Variant(std::int64_t{-7}), 1, "-7.0"},
        {Variant(0.0), 0, "0"},
        {Variant(2.675), 2, "2.68"},  // the decimal the user typed, not its binary neighbour
        {Variant(1.005), 2, "1.01"},
        {Variant(-2.5), 0, "-3"},      // half away from zero
        {Variant(9.995), 2, "10.00"},  // the carry runs into the whole part
        {Variant(99.96), 1, "100.0"},
        {Variant(-0.001), 2, "0.00"},  // no negative zero
        {Variant(1e20), 1, "100000000000000000000.0"},
        {Variant(0.000001), 6, "0.000001"},
        {Variant(0.1234567), 3, "0.123"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecimalText(c.value, c.digits), c.text) << c.value.ToString() << " " << c.digits;
    }
}

TEST(DecimalText, ReadsNumbersStoredAsText) {
    EXPECT_EQ(DecimalText(Variant("12.500000"), 2), "12.50");
    EXPECT_EQ(DecimalText(Variant(" 3 "), 1), "3.0");
    EXPECT_EQ(DecimalText(Variant("-0.5"), 0), "-1");
}

TEST(DecimalText, NullAndNonNumbersGiveEmptyText) {
    EXPECT_EQ(DecimalText(Variant(), 2), "");
    EXPECT_EQ(DecimalText(Variant(""), 2), "");
    EXPECT_EQ(DecimalText(Variant("abc"), 2), "");
    EXPECT_EQ(DecimalText(Variant("1,5"), 2), "");
}

TEST(DecimalText, NegativeDigitsLeaveTheValueAsItIs) {
    EXPECT_EQ(DecimalText(Variant(2.675), -1), "2.675");
    EXPECT_EQ(DecimalText(Variant("abc"), -2), "abc");
}

}  // namespace
}  // namespace zel
