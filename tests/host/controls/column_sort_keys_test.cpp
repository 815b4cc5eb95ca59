#include "host/controls/column_sort_keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

namespace zel {
namespace {

struct OrderCase {
    const char* name;
    CellKind kind;
    std::vector<std::string> texts;
    std::vector<std::string> expected;
};

std::vector<std::string> Ordered(const std::vector<std::string>& texts, CellKind kind) {
    ColumnSortKeys keys(kind);
    for (const auto& text : texts) {
        keys.Add(text);
    }
    std::vector<std::size_t> order(texts.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&keys](std::size_t a, std::size_t b) { return keys.Before(a, b); });
    std::vector<std::string> ordered;
    for (const std::size_t i : order) {
        ordered.push_back(texts[i]);
    }
    return ordered;
}

class ColumnSortKeysTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(ColumnSortKeysTest, OrdersAsTheColumnKindReads) {
    EXPECT_EQ(Ordered(GetParam().texts, GetParam().kind), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ColumnSortKeysTest,
    ::testing::Values(OrderCase{"NumbersByValueNotByCharacters",
                                CellKind::kNumber,
                                {"10", "9", "100", "1"},
                                {"1", "9", "10", "100"}},
                      OrderCase{"NegativeAndDecimalNumbers",
                                CellKind::kNumber,
                                {"0.5", "-2", "-10.25", "0.25", "3"},
                                {"-10.25", "-2", "0.25", "0.5", "3"}},
                      OrderCase{"GroupedAndSignedNumbers",
                                CellKind::kNumber,
                                {"1,234.50", "+999.00", "12.00"},
                                {"12.00", "+999.00", "1,234.50"}},
                      OrderCase{"EmptyAndBlankNumbersFirstTextsLast",
                                CellKind::kNumber,
                                {"5", "n/a", " ", "", "-1"},
                                {" ", "", "-1", "5", "n/a"}},
                      OrderCase{"NamesAreNotNumbers",
                                CellKind::kNumber,
                                {"nan", "inf", "5"},
                                {"5", "inf", "nan"}},
                      OrderCase{"DatesByDate",
                                CellKind::kDate,
                                {"2024-03-01", "2023-12-31", "2024-1-15", "1999-12-31"},
                                {"1999-12-31", "2023-12-31", "2024-1-15", "2024-03-01"}},
                      OrderCase{"DatesOutsideTheDateRuleAreTexts",
                                CellKind::kDate,
                                {"2024-02-30", "1899-12-31", "2024-02-29", "2024/2/28"},
                                {"2024/2/28", "2024-02-29", "1899-12-31", "2024-02-30"}},
                      OrderCase{"EmptyDatesFirstUnreadableLast",
                                CellKind::kDate,
                                {"2024-13-01", "2024-02-03", "", "24-02-03"},
                                {"", "2024-02-03", "2024-13-01", "24-02-03"}},
                      OrderCase{"TextsKeepDigitsAsCharacters",
                                CellKind::kText,
                                {"9", "10", "", "A"},
                                {"", "10", "9", "A"}},
                      OrderCase{"TextsIgnoreAsciiCaseAndTrailingBlanks",
                                CellKind::kText,
                                {"b02", "A01 ", "a01", "钢板", "B01"},
                                {"A01 ", "a01", "B01", "b02", "钢板"}},
                      OrderCase{"GuessedReadsNumbersThenTexts",
                                CellKind::kGuessed,
                                {"b", "", "10", "9", "a"},
                                {"", "9", "10", "a", "b"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ColumnSortKeys, EqualKeysAreNeitherBefore) {
    ColumnSortKeys keys(CellKind::kNumber);
    keys.Add("1.50");
    keys.Add("1.5");
    keys.Add("");
    keys.Add("  ");
    keys.Add("ab ");
    keys.Add("AB");
    for (const auto& [a, b] : {std::pair{0, 1}, std::pair{2, 3}, std::pair{4, 5}}) {
        EXPECT_FALSE(keys.Before(a, b)) << a;
        EXPECT_FALSE(keys.Before(b, a)) << a;
    }
}

}  // namespace
}  // namespace zel
