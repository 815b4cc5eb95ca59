#include "host/controls/list_rows.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

// Rows "k<n>" whose texts are "<n>.0", "<n>.1", ... as many as n, checked when n is odd.
ListRows Rows(int first, int count) {
    ListRows rows;
    for (int n = first; n < first + count; ++n) {
        rows.AddRow("k" + std::to_string(n), n % 2 == 1);
        for (int column = 0; column < n; ++column) {
            rows.AddText(std::to_string(n) + "." + std::to_string(column));
        }
    }
    return rows;
}

void ExpectRows(const ListRows& rows, int first) {
    for (int row = 0; row < rows.Count(); ++row) {
        const int n = first + row;
        EXPECT_EQ(rows.Key(row), "k" + std::to_string(n));
        EXPECT_EQ(rows.Checked(row), n % 2 == 1);
        ASSERT_EQ(rows.TextCount(row), n);
        for (int column = 0; column < n; ++column) {
            EXPECT_EQ(rows.Text(row, column), std::to_string(n) + "." + std::to_string(column));
        }
        EXPECT_EQ(rows.Text(row, n), "");
        EXPECT_EQ(rows.Text(row, -1), "");
    }
}

TEST(ListRows, KeepsEachRowsTextsApartIncludingRowsWithoutAny) {
    const ListRows rows = Rows(0, 5);
    ASSERT_EQ(rows.Count(), 5);
    ExpectRows(rows, 0);
}

TEST(ListRows, AppendsRowsAfterTheOnesHeldAndLeavesTheOtherEmpty) {
    for (const int held : {0, 3}) {
        ListRows rows = Rows(0, held);
        ListRows more = Rows(held, 4);
        rows.Append(std::move(more));
        EXPECT_TRUE(more.Empty()) << held;
        ASSERT_EQ(rows.Count(), held + 4) << held;
        ExpectRows(rows, 0);
        more.AddRow("again", false);
        more.AddText("x");
        EXPECT_EQ(more.Text(0, 0), "x");
    }
}

TEST(ListRows, KeepsEmptyAndMultiByteTextsAndTheCheckSetLater) {
    ListRows rows;
    rows.AddRow("k1", false);
    rows.AddText("");
    rows.AddText("螺 钉");
    rows.AddText("");
    rows.SetChecked(0, true);
    EXPECT_TRUE(rows.Checked(0));
    EXPECT_EQ(rows.TextCount(0), 3);
    EXPECT_EQ(rows.Text(0, 0), "");
    EXPECT_EQ(rows.Text(0, 1), "螺 钉");
    EXPECT_EQ(rows.Text(0, 2), "");
    rows.Clear();
    EXPECT_TRUE(rows.Empty());
}

}  // namespace
}  // namespace zel
