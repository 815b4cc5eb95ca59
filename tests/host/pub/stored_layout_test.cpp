#include "host/pub/stored_layout.h"

#include <gtest/gtest.h>
#include "support/case_name.h"

namespace zel {
namespace {

TEST(StoredLayout, ReadsBackWhatItWrote) {
    const StoredLayout layout{15000, 9600, 3000};
    EXPECT_EQ(layout.ToText(), "Width=15000;Height=9600;TreeWidth=3000");
    EXPECT_EQ(StoredLayout::FromText(layout.ToText()), layout);
}

TEST(StoredLayout, WritesOnlyWhatItHas) {
    EXPECT_EQ((StoredLayout{15000, 9600, std::nullopt}).ToText(), "Width=15000;Height=9600");
    EXPECT_EQ(StoredLayout{}.ToText(), "");
}

struct DamagedCase {
    const char* text;
    StoredLayout expected;
};

class DamagedLayoutText : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedLayoutText, KeepsTheSoundEntriesOnly) {
    EXPECT_EQ(StoredLayout::FromText(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(StoredLayout, DamagedLayoutText,
                         ::testing::Values(DamagedCase{"", {}}, DamagedCase{"garbage", {}},
                                           DamagedCase{"Width=abc;Height=9600",
                                                       {std::nullopt, 9600, std::nullopt}},
                                           DamagedCase{"Width=-5;Height=0;TreeWidth=2000",
                                                       {std::nullopt, std::nullopt, 2000}},
                                           DamagedCase{"Width=1e999;TreeWidth=nan", {}},
                                           DamagedCase{"Width=12000;;Colour=red;TreeWidth=2500",
                                                       {12000, std::nullopt, 2500}},
                                           DamagedCase{"Width=12000 ;Height= 9000", {}}),
                         [](const auto& info) {
                             return ::zel::test::CaseName(
                                 std::to_string(info.index) + " " + info.param.text, info.index);
                         });

}  // namespace
}  // namespace zel
