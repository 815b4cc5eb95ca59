#include "host/controls/cell_row.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zel {
namespace {

struct Write {
    int column;
    std::string text;
};

struct CellRowCase {
    const char* name;
    std::vector<Write> writes;
    std::vector<std::string> expected;  // cells 0..n-1 afterwards
};

class CellRowTest : public ::testing::TestWithParam<CellRowCase> {};

TEST_P(CellRowTest, KeepsEveryCellApart) {
    CellRow row;
    for (const auto& write : GetParam().writes) {
        row.SetCell(write.column, write.text, 4);
    }
    for (std::size_t c = 0; c < GetParam().expected.size(); ++c) {
        EXPECT_EQ(row.Cell(static_cast<int>(c)), GetParam().expected[c]) << "cell " << c;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Writes, CellRowTest,
    ::testing::Values(
        CellRowCase{"LeftToRight", {{0, "a"}, {1, "bb"}, {2, "ccc"}}, {"a", "bb", "ccc", ""}},
        CellRowCase{"RightToLeft", {{2, "ccc"}, {1, "bb"}, {0, "a"}}, {"a", "bb", "ccc", ""}},
        CellRowCase{"GapStaysEmpty", {{0, "a"}, {3, "d"}}, {"a", "", "", "d"}},
        CellRowCase{
            "GrowInTheMiddle", {{0, "a"}, {1, "b"}, {2, "c"}, {1, "longer"}}, {"a", "longer", "c"}},
        CellRowCase{
            "ShrinkInTheMiddle", {{0, "a"}, {1, "longer"}, {2, "c"}, {1, "b"}}, {"a", "b", "c"}},
        CellRowCase{"EmptyOverwrite", {{0, "a"}, {1, "b"}, {2, "c"}, {1, ""}}, {"a", "", "c"}},
        CellRowCase{"MultiByteTexts", {{0, "仓库"}, {1, "存货编码"}}, {"仓库", "存货编码"}},
        CellRowCase{"NegativeColumnIgnored", {{-1, "x"}, {0, "a"}}, {"a"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CellRow, UnwrittenRowHoldsNothing) {
    CellRow row;
    row.SetCell(5, "", 18);
    EXPECT_EQ(row.Cell(5), "");
    EXPECT_EQ(row.TextSize(), 0u);
}

TEST(CellRow, TruncateDropsTrailingCellsAndTheirText) {
    CellRow row;
    row.SetCell(0, "a", 3);
    row.SetCell(1, "bb", 3);
    row.SetCell(2, "ccc", 3);
    row.Truncate(1);
    EXPECT_EQ(row.Cell(0), "a");
    EXPECT_EQ(row.Cell(1), "");
    EXPECT_EQ(row.TextSize(), 1u);
    row.SetCell(2, "z", 3);
    EXPECT_EQ(row.Cell(1), "");
    EXPECT_EQ(row.Cell(2), "z");
}

TEST(CellRow, ACellCopiedFromTheSameRowAndRewrittenCellsKeepTheirNeighbours) {
    CellRow row;
    row.SetCell(0, "alpha-beta-gamma-delta", 3);
    row.SetCell(1, row.Cell(0), 3);
    row.SetCell(2, "last", 3);
    row.SetCell(0, "a", 3);
    row.SetCell(1, row.Cell(1).substr(6), 3);
    EXPECT_EQ(row.Cell(0), "a");
    EXPECT_EQ(row.Cell(1), "beta-gamma-delta");
    EXPECT_EQ(row.Cell(2), "last");
    EXPECT_EQ(row.TextSize(), 1u + 16u + 4u);
}

// Ends take one, two or four bytes by the block's size; a cell crossing those sizes either way
// must keep every cell whole.
TEST(CellRow, CellsStayWholeAsTheRowCrossesTheSizesOfItsEnds) {
    for (const std::size_t size : {10u, 250u, 300u, 65'600u, 70'000u, 3u}) {
        SCOPED_TRACE(size);
        CellRow row;
        const std::string big(size, 'x');
        row.SetCell(0, "first", 3);
        row.SetCell(1, big, 3);
        row.SetCell(2, "last", 3);
        EXPECT_EQ(row.Cell(0), "first");
        EXPECT_EQ(row.Cell(1), big);
        EXPECT_EQ(row.Cell(2), "last");
        for (const std::size_t again : {1u, 400u, 70'000u, 2u}) {
            row.SetCell(1, std::string(again, 'y'), 3);
            ASSERT_EQ(row.Cell(0), "first");
            ASSERT_EQ(row.Cell(1), std::string(again, 'y'));
            ASSERT_EQ(row.Cell(2), "last");
            ASSERT_EQ(row.TextSize(), 9 + again);
        }
    }
}

// A row written whole reads as the same cell writes would leave it: cells beyond the texts stay,
// a row of empty texts costs nothing, and a later cell write still fits in.
TEST(CellRow, ARowWrittenWholeReadsAsItsCellWritesWouldLeaveIt) {
    const std::vector<std::string> texts{"1", "", "仓库", std::string(300, 'x'), "last"};
    CellRow whole;
    whole.SetCells(texts);
    CellRow byCell;
    for (std::size_t c = 0; c < texts.size(); ++c) {
        byCell.SetCell(static_cast<int>(c), texts[c], static_cast<int>(texts.size()));
    }
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(whole.Cell(c), byCell.Cell(c)) << "cell " << c;
    }
    EXPECT_EQ(whole.TextSize(), byCell.TextSize());

    whole.SetCell(1, "filled", 5);
    EXPECT_EQ(whole.Cell(1), "filled");
    EXPECT_EQ(whole.Cell(4), "last");

    CellRow wider;
    wider.SetCells(std::vector<std::string>{"a", "b", "c"});
    wider.SetCells(std::vector<std::string>{"z"});
    EXPECT_EQ(wider.Cell(0), "z");
    EXPECT_EQ(wider.Cell(2), "c") << "cells beyond the texts stay";

    CellRow empty;
    empty.SetCells(std::vector<std::string>{"", ""});
    EXPECT_EQ(empty.TextSize(), 0u);
    EXPECT_EQ(empty.Cell(1), "");
}

}  // namespace
}  // namespace zel
