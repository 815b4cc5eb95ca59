#include "host/controls/print/print_page_layout.h"

#include <gtest/gtest.h>
#include "support/case_name.h"

namespace zel {
namespace {

// Content 500 x 700 points; without scaling a first page holds (700-40-100-20)/20 = 27 rows
// and every further page (700-40-20)/20 = 32.
PrintPageMetrics Metrics(double tableWidth = 400) {
    PrintPageMetrics metrics;
    metrics.paper = QSizeF(600, 800);
    metrics.margins = QMarginsF(50, 50, 50, 50);
    metrics.titleHeight = 100;
    metrics.headerHeight = 20;
    metrics.rowHeight = 20;
    metrics.footerHeight = 40;
    metrics.tableWidth = tableWidth;
    return metrics;
}

struct PagingCase {
    std::size_t rows;
    int pages;
    std::size_t lastPageFirstRow;
    std::size_t lastPageRows;
};

class PrintPagingTest : public ::testing::TestWithParam<PagingCase> {};

TEST_P(PrintPagingTest, RowsFillPagesInOrder) {
    const PagingCase& c = GetParam();
    const PrintPageLayout layout(Metrics(), c.rows, false, true);
    EXPECT_EQ(layout.PageCount(), c.pages);
    EXPECT_EQ(layout.FirstRow(c.pages - 1), c.lastPageFirstRow);
    EXPECT_EQ(layout.RowsOn(c.pages - 1), c.lastPageRows);
    EXPECT_EQ(layout.RowsOn(c.pages), 0U);
}

INSTANTIATE_TEST_SUITE_P(Rows, PrintPagingTest,
                         ::testing::Values(PagingCase{0, 1, 0, 0}, PagingCase{1, 1, 0, 1},
                                           PagingCase{27, 1, 0, 27}, PagingCase{28, 2, 27, 1},
                                           PagingCase{123, 4, 91, 32}, PagingCase{124, 5, 123, 1},
                                           PagingCase{100000, 3126, 99995, 5}),
                         [](const auto& info) {
                             return ::zel::test::CaseName(std::to_string(info.param.rows) + " rows",
                                                          info.index);
                         });

TEST(PrintPageLayoutTest, PagesBetweenFirstAndLastAreFull) {
    const PrintPageLayout layout(Metrics(), 124, false, true);
    EXPECT_EQ(layout.FirstRow(1), 27U);
    EXPECT_EQ(layout.RowsOn(1), 32U);
    EXPECT_EQ(layout.FirstRow(2), 59U);
    EXPECT_FALSE(layout.ShowsTitle(1));
    EXPECT_TRUE(layout.ShowsHeader(1));
}

struct FittingCase {
    const char* name;
    double tableWidth;
    bool titleOnEveryPage;
    bool repeatHeader;
    double scale;
    std::size_t firstPageRows;
    std::size_t otherPageRows;
};

class PrintFittingTest : public ::testing::TestWithParam<FittingCase> {};

TEST_P(PrintFittingTest, RowsPerPageFollowTheScaleAndTheRepeatedParts) {
    const FittingCase& c = GetParam();
    const PrintPageLayout layout(Metrics(c.tableWidth), 1000, c.titleOnEveryPage, c.repeatHeader);
    EXPECT_DOUBLE_EQ(layout.TableScale(), c.scale);
    EXPECT_EQ(layout.RowsOnFirstPage(), c.firstPageRows);
    EXPECT_EQ(layout.RowsOnOtherPages(), c.otherPageRows);
    EXPECT_EQ(layout.ShowsTitle(1), c.titleOnEveryPage);
    EXPECT_EQ(layout.ShowsHeader(1), c.repeatHeader);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, PrintFittingTest,
    ::testing::Values(
        FittingCase{"narrow", 400, false, true, 1.0, 27, 32},
        FittingCase{"exact", 500, false, true, 1.0, 27, 32},
        // 1000 points across 500: half size, (700-40-100-10)/10 and (700-40-10)/10 rows.
        FittingCase{"twice_as_wide", 1000, false, true, 0.5, 55, 65},
        FittingCase{"title_every_page", 400, true, true, 1.0, 27, 27},
        FittingCase{"header_once", 400, false, false, 1.0, 27, 33}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrintPageLayoutTest, PaperTooSmallForARowStillPrintsOneRowAPage) {
    PrintPageMetrics metrics = Metrics(40);
    metrics.paper = QSizeF(150, 150);
    const PrintPageLayout layout(metrics, 5, false, true);
    EXPECT_EQ(layout.PageCount(), 5);
    EXPECT_EQ(layout.RowsOn(4), 1U);
}

}  // namespace
}  // namespace zel
