#include "host/controls/print/print_data.h"

#include <gtest/gtest.h>

#include "support/nested_elements.h"

namespace zel {
namespace {

std::string Wrapped(const std::string& inside) {
    return "<?xml version='1.0' standalone='yes' ?><数据>" + inside + "</数据>";
}

TEST(PrintDataTest, ReadsHeadingHeaderAndRows) {
    const auto data = PrintData::Parse(Wrapped(
        "<Title>仓库存货对照表</Title><Account>001</Account><User code=\"u&amp;1\">张&lt;三</User>"
        "<Date>2026-03-31</Date><Warehouse>01 "
        "成&amp;品库</Warehouse><SerialNumbers>0</SerialNumbers>"
        "<Header><C align=\"right\">序号</C><C>名称</C></Header>"
        "<Rows><R><C>1</C><C>a &amp; &quot;b&quot; "
        "&apos;c&apos;</C></R><R><C>2</C><C/></R></Rows>"));
    ASSERT_TRUE(data.has_value());
    EXPECT_EQ(data->title, "仓库存货对照表");
    EXPECT_EQ(data->account, "001");
    EXPECT_EQ(data->user, "张<三");
    EXPECT_EQ(data->userCode, "u&1");
    EXPECT_EQ(data->date, "2026-03-31");
    EXPECT_EQ(data->warehouse, "01 成&品库");
    EXPECT_FALSE(data->serialNumbers);
    EXPECT_EQ(data->rightAligned, (std::vector<bool>{true, false}));
    EXPECT_EQ(data->cells, (std::vector<std::string>{"1", "a & \"b\" 'c'", "2", ""}));
    EXPECT_EQ(data->Cell(1, 0), "2");
}

TEST(PrintDataTest, RowsAreCutOrPaddedToTheHeader) {
    const auto data = PrintData::Parse(
        Wrapped("<Header><C>a</C><C>b</C></Header>"
                "<Rows><R><C>1</C></R><R><C>2</C><C>3</C><C>extra</C></R></Rows>"));
    ASSERT_TRUE(data.has_value());
    EXPECT_EQ(data->cells, (std::vector<std::string>{"1", "", "2", "3"}));
    EXPECT_EQ(data->RowCount(), 2U);
}

TEST(PrintDataTest, BlanksInACellAreKept) {
    const auto data =
        PrintData::Parse(Wrapped("<Header><C>a</C></Header><Rows><R><C>  </C></R></Rows>"));
    ASSERT_TRUE(data.has_value());
    EXPECT_EQ(data->Cell(0, 0), "  ");
}

TEST(PrintDataTest, WithoutAUserNameTheCodeStandsForTheUser) {
    const auto data = PrintData::Parse(Wrapped("<User code=\"u1\"></User><Header/>"));
    ASSERT_TRUE(data.has_value());
    EXPECT_EQ(data->user, "u1");
    EXPECT_TRUE(data->serialNumbers);
    EXPECT_EQ(data->RowCount(), 0U);
}

TEST(PrintDataTest, TextsThatAreNotPrintDataAreRefused) {
    for (const char* text : {"", "not xml", "<数据><Rows/></数据>", "<数据><Header>"}) {
        EXPECT_EQ(PrintData::Parse(text), std::nullopt) << text;
    }
}

// Short rows are filled with empty cells, but only as many as a grid's data could hold: captions
// and empty rows each a few bytes long would otherwise claim cells by the product of their counts.
TEST(PrintDataTest, RowsAreFilledOnlyAsFarAsTheTextCouldHoldTheirCells) {
    const auto repeated = [](const std::string& text, int count) {
        std::string texts;
        for (int i = 0; i < count; ++i) {
            texts += text;
        }
        return texts;
    };
    const auto table = [&](int columns, int rows, const std::string& row) {
        return Wrapped("<Header>" + repeated("<C/>", columns) + "</Header><Rows>" +
                       repeated(row, rows) + "</Rows>");
    };
    const auto written = PrintData::Parse(table(300, 300, "<R>" + repeated("<C/>", 300) + "</R>"));
    ASSERT_TRUE(written);
    EXPECT_EQ(written->cells.size(), 90'000U);
    const auto shortRows = PrintData::Parse(table(10, 100, "<R><C>1</C></R>"));
    ASSERT_TRUE(shortRows);
    EXPECT_EQ(shortRows->Cell(99, 0), "1");
    EXPECT_EQ(shortRows->Cell(99, 9), "");
    EXPECT_EQ(PrintData::Parse(table(3'000, 3'000, "<R/>")), std::nullopt);
}

TEST(PrintDataTest, ElementsBelowACellAreRefusedAtAnyDepth) {
    for (const int depth : {1, 30'000, 1'000'000}) {
        const std::string nested = test::NestedElements(depth);
        for (const std::string& inside :
             {"<Header><C>a" + nested + "</C></Header>",
              "<Header><C>a</C></Header><Rows><R><C>" + nested + "</C></R></Rows>",
              "<Header/><Rows><R><C/></R></Rows><Title>" + nested + "</Title>"}) {
            EXPECT_EQ(PrintData::Parse(Wrapped(inside)), std::nullopt)
                << depth << " " << inside.substr(0, 40);
        }
    }
}

}  // namespace
}  // namespace zel
