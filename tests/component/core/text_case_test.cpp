#include "core/text_case.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

TEST(TextCase, FoldsOnlyAsciiLetters) {
    EXPECT_EQ(AsciiLower("SaveRs 仓库 ÄB"), "savers 仓库 Äb");
    EXPECT_TRUE(EqualsNoCase("cFrequency", "CFREQUENCY"));
    EXPECT_FALSE(EqualsNoCase("cFrequency", "cFrequenc"));
    EXPECT_FALSE(EqualsNoCase("仓库", "仓"));
    EXPECT_TRUE(EqualsNoCase("", ""));
}

}  // namespace
}  // namespace korvel
