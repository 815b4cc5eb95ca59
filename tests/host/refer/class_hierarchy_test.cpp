#include "host/refer/class_hierarchy.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(ClassParents, PutsEachClassUnderTheLongestCodeThatBeginsIt) {
    EXPECT_EQ(ClassParents({"01", "0101", "010101", "0102", "02", "0201"}),
              (std::vector<int>{-1, 0, 1, 0, -1, 4}));
}

TEST(ClassParents, SkipsMissingLevelsAndTakesAnyOrderAndCase) {
    // "0101" is missing: "010101" sits under "01"; "ab01" under "AB" listed after it.
    EXPECT_EQ(ClassParents({"010101", "01", "ab01", "AB"}), (std::vector<int>{1, -1, 3, -1}));
}

TEST(ClassParents, LeavesUnrelatedCodesAtTheTop) {
    EXPECT_EQ(ClassParents({"1", "2", "30"}), (std::vector<int>{-1, -1, -1}));
    EXPECT_TRUE(ClassParents({}).empty());
}

}  // namespace
}  // namespace zel
