#include "host/controls/export/xml_text.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

struct XmlCase {
    const char* name;
    std::string_view text;
    std::string_view xml;
};

class XmlTextTest : public ::testing::TestWithParam<XmlCase> {};

TEST_P(XmlTextTest, EscapesMarkupAndDropsWhatXmlForbids) {
    std::string out = "<t>";
    AppendXmlText(out, GetParam().text);
    EXPECT_EQ(out, "<t>" + std::string(GetParam().xml));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, XmlTextTest,
    ::testing::Values(XmlCase{"AsciiAndChinese", "螺钉 M5", "螺钉 M5"},
                      XmlCase{"Markup", "a&b<c>\"d'", "a&amp;b&lt;c&gt;&quot;d'"},
                      XmlCase{"CdataEnd", "]]>", "]]&gt;"},
                      XmlCase{"TabAndNewline", "行\t一\n行", "行\t一\n行"},
                      XmlCase{"CarriageReturn", "a\rb", "a&#13;b"},
                      XmlCase{"ControlCharacters",
                              std::string_view("a\0b\x01\x08\x0B\x0C\x1F"
                                               "c",
                                               9),
                              "abc"},
                      XmlCase{"Noncharacters", "x\xEF\xBF\xBEy\xEF\xBF\xBFz", "xyz"},
                      // Other characters of the same lead byte, such as the full-width comma.
                      XmlCase{"OtherCharactersOfTheLeadByte", "甲\xEF\xBC\x8C乙\xEF\xBF\xBD",
                              "甲\xEF\xBC\x8C乙\xEF\xBF\xBD"},
                      XmlCase{"CutSequence", "\xEF", "\xEF"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HasOuterWhiteSpaceTest, OnlyWhiteSpaceAtEitherEndCounts) {
    EXPECT_TRUE(HasOuterWhiteSpace(" a"));
    EXPECT_TRUE(HasOuterWhiteSpace("a\n"));
    EXPECT_FALSE(HasOuterWhiteSpace("a b"));
    EXPECT_FALSE(HasOuterWhiteSpace(""));
}

}  // namespace
}  // namespace zel
