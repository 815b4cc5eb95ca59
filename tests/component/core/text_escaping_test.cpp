#include "core/text_escaping.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

TEST(SqlQuoted, DoublesEveryApostropheAndLeavesOtherTextAlone) {
    const std::pair<const char*, const char*> cases[] = {
        {"01", "'01'"},       {"", "''"},    {"O'Neil", "'O''Neil'"},
        {"a''b", "'a''''b'"}, {"'", "''''"}, {"仓库'1", "'仓库''1'"},
    };
    for (const auto& [value, quoted] : cases) {
        EXPECT_EQ(SqlQuoted(value), quoted) << value;
    }
}

TEST(SqlQuoted, AnInjectedCodeStaysInsideItsLiteral) {
    const std::string condition = "WhInvContrapose.cInvCode=" + SqlQuoted("x' or '1'='1");
    EXPECT_EQ(condition, "WhInvContrapose.cInvCode='x'' or ''1''=''1'");
    EXPECT_EQ(SqlEscaped("x' or '1'='1"), "x'' or ''1''=''1");
}

TEST(XmlEscaped, ReplacesTheFiveMarkupCharacters) {
    EXPECT_EQ(XmlEscaped("a&b<c>d'e\"f"), "a&amp;b&lt;c&gt;d&apos;e&quot;f");
    EXPECT_EQ(XmlEscaped("盘点周期 1;2"), "盘点周期 1;2");
    EXPECT_EQ(XmlEscaped("&amp;"), "&amp;amp;");
}

}  // namespace
}  // namespace korvel
