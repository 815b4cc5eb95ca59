#include "host/refer/item_filter.h"

#include <gtest/gtest.h>
#include "support/case_name.h"

namespace zel {
namespace {

struct MatchCase {
    const char* text;
    const char* classCode;
    const char* itemCode;
    const char* itemName;
    const char* itemClass;
    bool matches;
};

class ItemFilterMatch : public ::testing::TestWithParam<MatchCase> {};

TEST_P(ItemFilterMatch, DecidesByCodeNameAndClassPrefix) {
    const MatchCase& c = GetParam();
    EXPECT_EQ(ItemFilter(c.text, c.classCode).Matches(c.itemCode, c.itemName, c.itemClass),
              c.matches)
        << "text '" << c.text << "' class '" << c.classCode << "' item " << c.itemCode;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ItemFilterMatch,
    ::testing::Values(MatchCase{"", "", "A001", "螺钉", "01", true},
                      MatchCase{"00", "", "A001", "螺钉", "01", true},     // inside the code
                      MatchCase{"a0", "", "A001", "螺钉", "01", true},     // code, other case
                      MatchCase{"BOLT", "", "X1", "m6 bolt", "01", true},  // name, other case
                      MatchCase{"螺", "", "A001", "螺钉", "01", true},     // name, not ASCII
                      MatchCase{"钉螺", "", "A001", "螺钉", "01", false},
                      MatchCase{"Z", "", "A001", "螺钉", "01", false},
                      MatchCase{"", "01", "A001", "螺钉", "0102", true},  // sub-class
                      MatchCase{"", "01", "A001", "螺钉", "01", true},
                      MatchCase{"", "0102", "A001", "螺钉", "01", false},   // parent class
                      MatchCase{"", "01", "A001", "螺钉", "0201", false},   // "01" inside only
                      MatchCase{"", "ab", "A001", "螺钉", "AB01", true},    // class case
                      MatchCase{"", "01  ", "A001", "螺钉", "0101", true},  // padded class
                      MatchCase{"", "01", "A001", "螺钉", "", false},       // no class
                      MatchCase{"a", "01", "A001", "螺钉", "02", false}),
    [](const auto& info) {
        return ::zel::test::CaseName(std::to_string(info.index) + " " +
                                         std::string(info.param.text) + " " + info.param.classCode +
                                         " " + info.param.itemCode + " " + info.param.itemClass,
                                     info.index);
    });

TEST(ItemFilter, PassesAllOnlyWithoutTextAndClass) {
    EXPECT_TRUE(ItemFilter().PassesAll());
    EXPECT_TRUE(ItemFilter("", "").PassesAll());
    EXPECT_FALSE(ItemFilter("a", "").PassesAll());
    EXPECT_FALSE(ItemFilter("", "01").PassesAll());
}

TEST(ItemFilter, NarrowsOnlyAWiderTextOfTheSameClass) {
    EXPECT_TRUE(ItemFilter("ab", "").Narrows(ItemFilter("a", "")));
    EXPECT_TRUE(ItemFilter("xAb", "").Narrows(ItemFilter("aB", "")));
    EXPECT_TRUE(ItemFilter("a", "").Narrows(ItemFilter()));
    EXPECT_FALSE(ItemFilter("a", "").Narrows(ItemFilter("ab", "")));  // a letter deleted
    EXPECT_FALSE(ItemFilter("ab", "01").Narrows(ItemFilter("a", "")));
    EXPECT_FALSE(ItemFilter("ab", "").Narrows(ItemFilter("a", "01")));
}

}  // namespace
}  // namespace zel
