#include "host/controls/print/print_style.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(PrintStyleTest, ReadsBackWhatItWrites) {
    PrintStyle style;
    style.paper = QPageSize::Letter;
    style.orientation = QPageLayout::Landscape;
    style.marginsMm = QMarginsF(10, 12.5, 8, 20);
    style.fontSize = 11;
    style.repeatHeader = false;
    style.titleOnEveryPage = true;
    style.columns = {{"存货编码", true}, {"名称 \"<&>\"", false}};
    EXPECT_EQ(PrintStyle::Parse(style.ToXml()), style);
}

TEST(PrintStyleTest, WhatTheTextLeavesOutKeepsItsDefault) {
    const auto style = PrintStyle::Parse(
        "<PrintStyle><Paper>A3</Paper><FontSize>99</FontSize>"
        "<Margins left=\"5\" right=\"-3\" top=\"900\"/></PrintStyle>");
    ASSERT_TRUE(style.has_value());
    EXPECT_EQ(style->paper, QPageSize::A3);
    EXPECT_EQ(style->orientation, QPageLayout::Portrait);
    EXPECT_EQ(style->fontSize, PrintStyle::kMaxFontSize);
    EXPECT_EQ(style->marginsMm, QMarginsF(5, PrintStyle::kMaxMarginMm, 0, 15));
    EXPECT_TRUE(style->repeatHeader);
    EXPECT_EQ(PrintStyle::Parse("<PrintStyle><Paper>Papyrus</Paper></PrintStyle>")->paper,
              QPageSize::A4);
}

TEST(PrintStyleTest, OtherTextsAreNotStyles) {
    for (const char* text : {"", "<数据/>", "<PrintStyle>"}) {
        EXPECT_EQ(PrintStyle::Parse(text), std::nullopt) << text;
    }
}

TEST(PrintStyleTest, ColumnsTheStyleDoesNotNameArePrinted) {
    PrintStyle style;
    style.columns = {{"a", false}, {"b", true}};
    EXPECT_FALSE(style.Prints("a"));
    EXPECT_TRUE(style.Prints("b"));
    EXPECT_TRUE(style.Prints("new column"));
}

TEST(PrintStyleTest, ManyColumnsAreLaidOnLandscapePaper) {
    EXPECT_EQ(PrintStyle::ForCaptions({"a", "b", "c"}).orientation, QPageLayout::Portrait);
    const PrintStyle wide = PrintStyle::ForCaptions(std::vector<std::string>(18, "c"));
    EXPECT_EQ(wide.orientation, QPageLayout::Landscape);
    EXPECT_EQ(wide.columns.size(), 18U);
}

}  // namespace
}  // namespace zel
