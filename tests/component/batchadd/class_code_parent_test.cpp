#include "batchadd/class_code_parent.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

struct ParentCase {
    const char* code;
    const char* rule;
    const char* parent;
};

TEST(ParentClassCode, FollowsTheLevelsOfTheCodingRule) {
    const ParentCase cases[] = {
        {"AA", "223", ""},
        {"AABB", "223", "AA"},
        {"AABBCCC", "223", "AABB"},
        {"AABB  ", "223", "AA"},
        {"AACCDDD", "223", "AACC"},
        {"A1", "1111", "A"},
        {"AABBCCCDD", "223", "AABB"},
        {"AABB", "", ""},
        {"", "223", ""},
        {"AAB", "223", "AA"},
    };
    for (const ParentCase& c : cases) {
        EXPECT_EQ(ParentClassCode(c.code, c.rule), c.parent) << c.code << " by " << c.rule;
    }
}

}  // namespace
}  // namespace korvel
