#include "host/database/literal_parameters.h"

#include <gtest/gtest.h>
#include "support/case_name.h"

namespace zel {
namespace {

struct Case {
    const char* sql;
    const char* shared;  // nullptr: not taken apart
    std::vector<std::string> texts;
};

class LiteralParametersTest : public ::testing::TestWithParam<Case> {};

TEST_P(LiteralParametersTest, TakesOutTheQuotedTextsOfTheConditions) {
    const Case& c = GetParam();
    const auto literals = LiteralParameters::Of(c.sql);
    if (c.shared == nullptr) {
        EXPECT_FALSE(literals.has_value()) << literals->sql;
        return;
    }
    ASSERT_TRUE(literals.has_value());
    EXPECT_EQ(literals->sql, c.shared);
    EXPECT_EQ(literals->texts, c.texts);
}

INSTANTIATE_TEST_SUITE_P(
    Queries, LiteralParametersTest,
    ::testing::Values(
        Case{"select a from T where c='x' and d>'2024-01-01' limit 1",
             "select a from T where c=? and d>? limit 1",
             {"x", "2024-01-01"}},
        Case{"select a from T where c in ('x','y') or c like 'z%'",
             "select a from T where c in (?,?) or c like ?",
             {"x", "y", "z%"}},
        Case{"select a from T where c='O''Brien' and d=''",
             "select a from T where c=? and d=?",
             {"O'Brien", ""}},
        // Texts before the select's own condition may name result columns.
        Case{"select 'fixed', (select b from U where u='in') from T where c='x'",
             "select 'fixed', (select b from U where u='in') from T where c=?",
             {"x"}},
        Case{"  SELECT a FROM T WHERE c = 'x'", "  SELECT a FROM T WHERE c = ?", {"x"}},
        // A blob's bytes and an unclosed quote stay as written.
        Case{"select a from T where b=x'0A' and c='x'",
             "select a from T where b=x'0A' and c=?",
             {"x"}},
        Case{"select a from T where c='open", nullptr, {}},
        Case{"select a from T where c=1", nullptr, {}}, Case{"select 'x' from T", nullptr, {}},
        Case{"select a from T where c=? and d='x'", nullptr, {}},
        Case{"select a from T where c=@code and d='x'", nullptr, {}},
        // An update or a delete names no result column: each of its texts is a value.
        Case{"update T set a='x' where c='y'", "update T set a=? where c=?", {"x", "y"}},
        Case{"delete from T where c='y'", "delete from T where c=?", {"y"}},
        Case{"insert into T values ('x')", nullptr, {}}),
    [](const auto& info) {
        return ::zel::test::CaseName(std::to_string(info.index) + " " + info.param.sql, info.index);
    });

}  // namespace
}  // namespace zel
