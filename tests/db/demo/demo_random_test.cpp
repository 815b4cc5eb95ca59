#include "db/demo/demo_random.h"

#include <gtest/gtest.h>

#include <set>

namespace zel::demo {
namespace {

using namespace std::chrono;

TEST(DemoRandom, DatesStayInTheirRangeAndKnowLeapDays) {
    DemoRandom random(42);
    std::set<std::string> seen;
    for (int i = 0; i < 300; ++i) {
        seen.insert(random.Date(2024y / February / 28, 2024y / March / 1));
    }
    EXPECT_EQ(seen, (std::set<std::string>{"2024-02-28", "2024-02-29", "2024-03-01"}));
}

TEST(DemoRandom, BetweenCoversBothEndsOnly) {
    DemoRandom random(7);
    std::set<std::int64_t> seen;
    for (int i = 0; i < 300; ++i) {
        seen.insert(random.Between(-2, 2));
    }
    EXPECT_EQ(seen, (std::set<std::int64_t>{-2, -1, 0, 1, 2}));
    EXPECT_EQ(random.Between(5, 5), 5);
    EXPECT_EQ(random.Between(5, 1), 5);
}

TEST(DemoRandom, TheSameSeedGivesTheSameSequence) {
    DemoRandom first(2024);
    DemoRandom second(2024);
    DemoRandom other(2025);
    bool differs = false;
    for (int i = 0; i < 16; ++i) {
        const auto value = first.Next();
        EXPECT_EQ(value, second.Next());
        differs = differs || value != other.Next();
    }
    EXPECT_TRUE(differs);
}

}  // namespace
}  // namespace zel::demo
