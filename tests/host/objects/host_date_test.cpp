#include "host/objects/host_date.h"

#include <gtest/gtest.h>

#include "support/date_cases.h"

namespace zel {
namespace {

TEST(HostDate, ReadsTheDateFormsAndStoresYearMonthDay) {
    for (const test::DateCase& c : test::kDateCases) {
        const auto date = HostDate::Parse(c.text);
        if (c.stored == nullptr) {
            EXPECT_FALSE(date) << '"' << c.text << '"';
        } else {
            ASSERT_TRUE(date) << '"' << c.text << '"';
            EXPECT_EQ(date->ToIso(), c.stored);
        }
    }
}

TEST(HostDate, ReadsTheDayOfADateAndTime) {
    const std::pair<const char*, const char*> cases[] = {
        {"2024-03-05 13:45:00", "2024-03-05"},
        {"2024-12-31T00:00:00", "2024-12-31"},
        {"2024/3/5 8:00", "2024-03-05"},
        {"2024-03-05", "2024-03-05"},
        {" 2024-03-05 ", "2024-03-05"},
        {"2023-02-29 10:00", nullptr},
        {"1899-12-31 23:59:59", nullptr},
        {"2024-03-05x10:00", nullptr},
        {"2024-03-051", nullptr},
        {"2024.3.5 10:00", nullptr},
    };
    for (const auto& [text, stored] : cases) {
        const auto date = HostDate::ParseDayOf(text);
        EXPECT_EQ(date ? date->ToIso() : "refused", stored ? stored : "refused") << text;
    }
}

}  // namespace
}  // namespace zel
