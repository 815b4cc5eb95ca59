#include "host/database/sql_text.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(SqlTextTest, QuotesApostrophesByDoublingThem) {
    EXPECT_EQ(SqlQuoted(""), "''");
    EXPECT_EQ(SqlQuoted("O'Neil's"), "'O''Neil''s'");
}

// Whatever the user types must match only itself, with either escape character the callers use.
TEST(SqlTextTest, LikeLiteralEscapesEveryPatternCharacter) {
    EXPECT_EQ(LikeLiteral("50%_[a]!", '!'), "50!%!_![a]!!");
    EXPECT_EQ(LikeLiteral("a\\b%", '\\'), "a\\\\b\\%");
    EXPECT_EQ(LikeLiteral("plain", '!'), "plain");
}

TEST(SqlTextTest, LikeTestQuotesThePatternAndNamesTheEscape) {
    EXPECT_EQ(LikeTest("%it's%", '!'), " like '%it''s%' escape '!'");
    EXPECT_EQ(LikeTest("a%", '\\'), " like 'a%' escape '\\'");
}

}  // namespace
}  // namespace zel
