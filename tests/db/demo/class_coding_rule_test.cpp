#include "db/demo/class_coding_rule.h"

#include <gtest/gtest.h>

namespace zel::demo {
namespace {

TEST(ClassCodingRule, RefusesRulesThatAreNotLevelDigits) {
    for (const char* rule : {"", "2a3", "203", " 223", "-2"}) {
        EXPECT_FALSE(ClassCodingRule::Parse(rule)) << '"' << rule << '"';
    }
    EXPECT_EQ(ClassCodingRule::Parse("223")->Levels(), 3);
}

struct ChildCase {
    const char* rule;
    const char* parent;
    int level;
    int serial;
    std::optional<std::string> code;
};

TEST(ClassCodingRule, ChildCodesPadTheSerialToTheLevelWidth) {
    const ChildCase cases[] = {
        {"223", "", 1, 1, "01"},
        {"223", "01", 2, 1, "0101"},
        {"223", "0101", 3, 1, "0101001"},
        {"223", "0101", 3, 999, "0101999"},
        {"223", "0101", 3, 1000, std::nullopt},
        {"223", "", 1, 100, std::nullopt},
        {"223", "0", 2, 1, std::nullopt},
        {"223", "010", 3, 1, std::nullopt},
        {"223", "0101001", 4, 1, std::nullopt},
        {"223", "", 1, 0, std::nullopt},
        {"334", "012", 2, 7, "012007"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClassCodingRule::Parse(c.rule)->ChildCode(c.parent, c.level, c.serial), c.code)
            << c.rule << " '" << c.parent << "' level " << c.level << " serial " << c.serial;
    }
}

}  // namespace
}  // namespace zel::demo
