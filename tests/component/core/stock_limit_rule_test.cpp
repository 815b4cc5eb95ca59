#include "core/stock_limit_rule.h"

#include <gtest/gtest.h>

#include <clocale>

namespace korvel {
namespace {

// The windows' own cases of the rule run through both windows (record_entry_checks_test.cpp,
// modify_request_test.cpp); here only how a limit's text is read.
TEST(StockLimitRule, ReadsALimitOnlyWhenTheWholeTextIsANumberInAnyLocale) {
    const char* before = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = before ? before : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");  // a comma locale, where the system has one
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"12.5", 12.5},
        {" +7 ", 7.0},
        {"-5", -5.0},
        {"", std::nullopt},
        {"  ", std::nullopt},
        {"12a", std::nullopt},
        {"1) or (1=1", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(LimitNumber(text), expected) << text;
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace
}  // namespace korvel
