#include "import/exact_number.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

struct ExactNumberCase {
    const char* text;
    const char* exact;  // nullptr: no number
};

TEST(ExactNumberTest, WritesEveryNumberOutInOnePlainFormWithoutLosingADigit) {
    const ExactNumberCase cases[] = {
        {"12.5", "12.5"},
        {"12.50", "12.5"},
        {" +012.500 ", "12.5"},
        {"100", "100"},
        {"100.", "100"},
        {".5", "0.5"},
        {"-0.00", "0"},
        {"-0", "0"},
        {"0", "0"},
        {"007", "7"},
        {"0.10", "0.1"},
        {"-0.5", "-0.5"},
        {"-3.25", "-3.25"},
        {"0.1234567890123456789", "0.1234567890123456789"},
        {"98765432109876543210.000001", "98765432109876543210.000001"},
        {"1.5E-3", "0.0015"},
        {"1e2", "100"},
        {"2.5e+1", "25"},
        {"", nullptr},
        {"abc", nullptr},
        {"1,5", nullptr},
        {"1.2.3", nullptr},
        {"--1", nullptr},
        {".", nullptr},
        {"1e", nullptr},
        {"1e999999", nullptr},
        {"12 kg", nullptr},
    };
    for (const auto& [text, exact] : cases) {
        const auto number = ExactNumber(text);
        if (exact) {
            EXPECT_EQ(number, exact) << text;
        } else {
            EXPECT_FALSE(number) << text << " read as " << number.value_or("");
        }
    }
}

}  // namespace
}  // namespace korvel
