#include "db/demo/demo_command_line.h"

#include <gtest/gtest.h>

#include "db/demo/demo_texts.h"

namespace zel::demo {
namespace {

using Action = DemoCommandLine::Action;

TEST(DemoCommandLine, TakesEveryOptionAndKeepsDefaultsForTheRest) {
    const auto defaults = DemoCommandLine::Parse({"--output", "a.db"});
    ASSERT_EQ(defaults.action, Action::Run);
    EXPECT_EQ(defaults.options.output, "a.db");
    EXPECT_EQ(defaults.options.rows, 30000);
    EXPECT_EQ(defaults.options.items, 5000);
    EXPECT_EQ(defaults.options.warehouses, 20);
    EXPECT_FALSE(defaults.options.force);

    const auto all =
        DemoCommandLine::Parse({"--rows", "1000000", "--items", "7", "--warehouses", "3", "--seed",
                                "18446744073709551615", "--force", "--output", "b.db"});
    ASSERT_EQ(all.action, Action::Run);
    EXPECT_EQ(all.options.output, "b.db");
    EXPECT_EQ(all.options.rows, 1000000);
    EXPECT_EQ(all.options.items, 7);
    EXPECT_EQ(all.options.warehouses, 3);
    EXPECT_EQ(all.options.seed, 18446744073709551615ULL);
    EXPECT_TRUE(all.options.force);
}

struct RefusalCase {
    std::vector<std::string> arguments;
    const char* key;
    std::vector<std::string> values;
};

TEST(DemoCommandLine, RefusesWhatItCannotUseWithAWordedReason) {
    const RefusalCase cases[] = {
        {{}, "Zel.DEMO.nooutput", {}},
        {{"--rows", "10"}, "Zel.DEMO.nooutput", {}},
        {{"--output", "a.db", "--bogus"}, "Zel.DEMO.badoption", {"--bogus"}},
        {{"a.db"}, "Zel.DEMO.badoption", {"a.db"}},
        {{"--output"}, "Zel.DEMO.missingvalue", {"--output"}},
        {{"--output", "a.db", "--rows", "-1"},
         "Zel.DEMO.badnumber",
         {"--rows", "0", "10000000", "-1"}},
        {{"--output", "a.db", "--rows", "12x"},
         "Zel.DEMO.badnumber",
         {"--rows", "0", "10000000", "12x"}},
        {{"--output", "a.db", "--rows", "10000001"},
         "Zel.DEMO.badnumber",
         {"--rows", "0", "10000000", "10000001"}},
        {{"--output", "a.db", "--warehouses", "0"},
         "Zel.DEMO.badnumber",
         {"--warehouses", "1", "9999", "0"}},
        {{"--output", "a.db", "--items", ""},
         "Zel.DEMO.badnumber",
         {"--items", "1", "10000000", ""}},
        {{"--output", "a.db", "--seed", "-1"},
         "Zel.DEMO.badnumber",
         {"--seed", "0", "18446744073709551615", "-1"}},
    };
    for (const auto& c : cases) {
        const auto parsed = DemoCommandLine::Parse(c.arguments);
        SCOPED_TRACE(c.key);
        EXPECT_EQ(parsed.action, Action::Refuse);
        EXPECT_EQ(parsed.messageKey, c.key);
        EXPECT_EQ(parsed.messageValues, c.values);
        EXPECT_TRUE(DemoTexts::Instance().Contains(parsed.messageKey));
    }
}

TEST(DemoCommandLine, HelpNeedsNoOutputAndStopsReading) {
    EXPECT_EQ(DemoCommandLine::Parse({"-h"}).action, Action::Help);
    EXPECT_EQ(DemoCommandLine::Parse({"--rows", "5", "--help", "--bogus"}).action, Action::Help);
}

}  // namespace
}  // namespace zel::demo
