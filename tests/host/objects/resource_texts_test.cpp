#include "host/objects/resource_texts.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(ResourceTexts, ReadsKeysTextsAndLineBreaks) {
    ResourceTexts texts("# comment\nA.b\tfirst\\nsecond\r\nC.d\t当前记录数：%1 条\nbroken line\n");
    EXPECT_EQ(texts.Text("A.b"), "first\nsecond");
    EXPECT_EQ(texts.Format("C.d", {"12"}), "当前记录数：12 条");
    EXPECT_FALSE(texts.Contains("broken line"));
}

TEST(ResourceTexts, UnknownKeysComeBackAsThemselves) {
    ResourceTexts texts("");
    EXPECT_EQ(texts.Text("Zel.AA.missing"), "Zel.AA.missing");
}

TEST(ResourceTexts, FormatFillsPlaceholdersInAnyOrderAndDropsMissingValues) {
    ResourceTexts texts("K\t%2 then %1, 100%, %3.\n");
    EXPECT_EQ(texts.Format("K", {"a", "b"}), "b then a, 100%, .");
}

TEST(ResourceTexts, TheEmbeddedTableIsLoaded) {
    EXPECT_EQ(ResourceTexts::Instance().Text("Zel.AA.ARCHIVE.COMMON.information"), "提示信息");
}

}  // namespace
}  // namespace zel
