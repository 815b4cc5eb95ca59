#include "host/pub/sort_menu_key.h"

#include <gtest/gtest.h>

#include <string>

namespace zel {
namespace {

TEST(SortMenuKey, ReadsBackWhatItWrote) {
    for (const int col : {0, 1, 17, 123}) {
        for (const auto order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
            const auto read = SortMenuKey::Parse(SortMenuKey{col, order}.Text());
            ASSERT_TRUE(read.has_value()) << col;
            EXPECT_EQ(read->col, col);
            EXPECT_EQ(read->order, order);
        }
    }
}

TEST(SortMenuKey, RefusesKeysItDidNotWrite) {
    for (const char* text : {"", "Sort.", "Sort.3", "Sort..Asc", "Sort.-1.Asc", "Sort.x.Desc",
                             "Sort.3.Up", "sort.3.Asc", "Print.3.Asc", "Sort.3.Asc.Desc"}) {
        EXPECT_FALSE(SortMenuKey::Parse(text).has_value()) << text;
    }
}

}  // namespace
}  // namespace zel
