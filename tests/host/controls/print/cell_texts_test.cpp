#include "host/controls/print/cell_texts.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

// Texts end to end must still come back one by one, empty ones and those that hold what
// another text ends with included.
TEST(CellTextsTest, GivesBackEveryTextAsItWasAdded) {
    const std::vector<std::string> added{"", "A001",  "", "螺钉, 六角", std::string("a\0b", 3),
                                         "", "-5.00", ""};
    CellTexts texts;
    for (const std::string& text : added) {
        EXPECT_TRUE(texts.push_back(text));
    }
    texts.shrink_to_fit();
    ASSERT_EQ(texts.size(), added.size());
    for (std::size_t cell = 0; cell < added.size(); ++cell) {
        EXPECT_EQ(texts[cell], added[cell]) << cell;
    }
    EXPECT_TRUE(texts == added);
    EXPECT_FALSE(texts == std::vector<std::string>(added.begin(), added.end() - 1));
}

TEST(CellTextsTest, AListReplacesWhatWasHeld) {
    CellTexts texts{"1", "2"};
    EXPECT_FALSE(texts.empty());
    texts = {"x"};
    EXPECT_TRUE(texts == std::vector<std::string>{"x"});
    texts = {};
    EXPECT_TRUE(texts.empty());
}

}  // namespace
}  // namespace zel
