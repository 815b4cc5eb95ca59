#include "host/database/sql_tokenizer.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

using Kind = SqlToken::Kind;

std::vector<std::pair<Kind, std::string>> Meaningful(const std::string& sql) {
    std::vector<std::pair<Kind, std::string>> tokens;
    for (const auto& token : SqlTokenizer::Tokenize(sql)) {
        if (!token.IsGap()) {
            tokens.emplace_back(token.kind, token.text);
        }
    }
    return tokens;
}

TEST(SqlTokenizer, JoiningGivesTheTextBack) {
    const std::string texts[] = {
        "select top 1  a,[b c] from \"t\" where x='it''s' -- note\n and y<>1.5e3 /* c */",
        "unterminated 'text",
        "[open",
        "仓库='仓库'",
        "",
        "a>=b<=c!=d||e"};
    for (const auto& text : texts) {
        EXPECT_EQ(SqlTokenizer::Join(SqlTokenizer::Tokenize(text)), text);
    }
}

TEST(SqlTokenizer, QuotedPartsAreSingleTokens) {
    using Tokens = std::vector<std::pair<Kind, std::string>>;
    EXPECT_EQ(Meaningful("a='x '' top 1' and [b]]c]=\"d\"\"e\""),
              (Tokens{{Kind::Word, "a"},
                      {Kind::Symbol, "="},
                      {Kind::Text, "'x '' top 1'"},
                      {Kind::Word, "and"},
                      {Kind::BracketName, "[b]]c]"},
                      {Kind::Symbol, "="},
                      {Kind::QuotedName, "\"d\"\"e\""}}));
    EXPECT_EQ(Meaningful("t.c<>-1.5 --x"), (Tokens{{Kind::Word, "t"},
                                                   {Kind::Symbol, "."},
                                                   {Kind::Word, "c"},
                                                   {Kind::Symbol, "<>"},
                                                   {Kind::Symbol, "-"},
                                                   {Kind::Number, "1.5"}}));
}

TEST(SqlTokenizer, WordsCompareWithoutCase) {
    const auto tokens = SqlTokenizer::Tokenize("SeLeCt 'select'");
    EXPECT_TRUE(tokens[0].IsWord("select"));
    EXPECT_FALSE(tokens[2].IsWord("select"));
}

}  // namespace
}  // namespace zel
