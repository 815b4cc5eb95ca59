#include "host/controls/xml_text.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

struct XmlCase {
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
    ::testing::Values(XmlCase{"螺钉 M5", "螺钉 M5"},
                      XmlCase{"a&b<c>\"d'", "a&amp;b&lt;c&gt;&quot;d'"}, XmlCase{"]]>", "]]&gt;"},
                      XmlCase{"行\t一\n行", "行\t一\n行"}, XmlCase{"a\rb", "a&#13;b"},
                      XmlCase{std::string_view("a\0b\x01\x08\x0B\x0C\x1F"
                                               "c",
                                               9),
                              "abc"},
                      XmlCase{"x\xEF\xBF\xBEy\xEF\xBF\xBFz", "xyz"},
                      // Other characters of the same lead byte, such as the full-width comma.
                      XmlCase{"甲\xEF\xBC\x8C乙\xEF\xBF\xBD", "甲\xEF\xBC\x8C乙\xEF\xBF\xBD"},
                      XmlCase{"\xEF", "\xEF"}));

TEST(HasOuterWhiteSpaceTest, OnlyWhiteSpaceAtEitherEndCounts) {
    EXPECT_TRUE(HasOuterWhiteSpace(" a"));
    EXPECT_TRUE(HasOuterWhiteSpace("a\n"));
    EXPECT_FALSE(HasOuterWhiteSpace("a b"));
    EXPECT_FALSE(HasOuterWhiteSpace(""));
}

}  // namespace
}  // namespace zel
