#include "host/controls/flex_grid_model.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <string>
#include <vector>

namespace zel {
namespace {

// Fills data rows 1..n of a one-column-per-text grid.
void FillColumn(FlexGridModel& model, int col, const std::vector<std::string>& texts) {
    model.SetRows(static_cast<int>(texts.size()) + model.FixedRows());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        model.SetText(static_cast<int>(i) + model.FixedRows(), col, texts[i]);
    }
}

std::vector<std::string> Column(const FlexGridModel& model, int col) {
    std::vector<std::string> texts;
    for (int r = model.FixedRows(); r < model.Rows(); ++r) {
        texts.emplace_back(model.Text(r, col));
    }
    return texts;
}

TEST(FlexGridModel, PassesTheModelTesterThroughAFillSortAndShrink) {
    FlexGridModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.SetCols(3);
    model.SetRows(6);
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 3; ++c) {
            model.SetText(r, c, std::to_string(r * 10 + c));
        }
    }
    model.SetDeferUpdates(true);
    model.SetText(3, 1, "x");
    model.SetRows(3);
    model.SetDeferUpdates(false);
    model.SetRows(8);
    model.Sort(1, Qt::DescendingOrder);
    model.SetFixedRows(0);
    model.SetCols(1);
    EXPECT_EQ(model.rowCount(), 8);
    EXPECT_EQ(model.columnCount(), 1);
}

TEST(FlexGridModel, StartsAsAHeaderRowOnly) {
    FlexGridModel model;
    EXPECT_EQ(model.Rows(), 1);
    EXPECT_EQ(model.FixedRows(), 1);
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(FlexGridModel, HeaderRowIsRowZeroAndShownAsTheHorizontalHeader) {
    FlexGridModel model;
    model.SetCols(2);
    model.SetRows(2);
    model.SetText(0, 1, "存货编码");
    model.SetText(1, 1, "A01");
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
              QString::fromUtf8("存货编码"));
    EXPECT_EQ(model.data(model.index(0, 1), Qt::DisplayRole).toString(), "A01");
    EXPECT_EQ(model.GridRow(model.index(0, 1)), 1);
}

TEST(FlexGridModel, WithoutAFixedRowEveryRowIsData) {
    FlexGridModel model;
    model.SetRows(3);
    ASSERT_TRUE(model.SetFixedRows(0));
    model.SetText(0, 0, "first");
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.data(model.index(0, 0), Qt::DisplayRole).toString(), "first");
    EXPECT_FALSE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString() == "first");
}

TEST(FlexGridModel, RefusesWhatItCannotHold) {
    FlexGridModel model;
    EXPECT_FALSE(model.SetRows(0));  // below the fixed row
    EXPECT_FALSE(model.SetFixedRows(2));
    EXPECT_FALSE(model.SetCols(-1));
    EXPECT_FALSE(model.SetText(1, 0, "x"));  // no row 1 yet
    EXPECT_FALSE(model.SetText(0, 2, "x"));  // no column 2
    EXPECT_EQ(model.Text(5, 5), "");
    EXPECT_FALSE(model.Sort(7, Qt::AscendingOrder));
}

TEST(FlexGridModel, DroppedColumnsComeBackEmpty) {
    FlexGridModel model;
    model.SetCols(3);
    model.SetRows(2);
    model.SetText(1, 2, "gone");
    model.SetCols(2);
    model.SetCols(3);
    EXPECT_EQ(model.Text(1, 2), "");
}

TEST(FlexGridModel, GrowingOnlyAddsRowsAndKeepsWhatWasWritten) {
    FlexGridModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.SetCols(2);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    model.GrowRows(201);
    model.SetText(200, 1, "kept");
    model.GrowRows(150);
    model.GrowRows(201);
    model.GrowRows(401);
    EXPECT_EQ(model.Rows(), 401);
    EXPECT_EQ(model.Text(200, 1), "kept");
    ASSERT_EQ(inserted.count(), 2) << "one announcement per growth, none when there are enough";
    EXPECT_EQ(inserted[1][1].toInt(), 200);
    EXPECT_EQ(inserted[1][2].toInt(), 399);
    model.SetRows(251);
    model.SetRows(251);
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(model.Text(200, 1), "kept");
}

TEST(FlexGridModel, DeferredChangesArriveAsOneRectangle) {
    FlexGridModel model;
    model.SetCols(18);
    model.SetRows(501);
    QSignalSpy cells(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy header(&model, &QAbstractItemModel::headerDataChanged);

    model.SetDeferUpdates(true);
    model.SetText(0, 3, "header");
    for (int r = 1; r <= 500; ++r) {
        for (int c = 0; c < 18; ++c) {
            model.SetText(r, c, "v");
        }
    }
    EXPECT_EQ(cells.count(), 0);
    EXPECT_EQ(header.count(), 0);

    model.SetDeferUpdates(false);
    ASSERT_EQ(cells.count(), 1);
    EXPECT_EQ(cells[0][0].toModelIndex(), model.index(0, 0));
    EXPECT_EQ(cells[0][1].toModelIndex(), model.index(499, 17));
    ASSERT_EQ(header.count(), 1);
    EXPECT_EQ(header[0][1].toInt(), 3);
    EXPECT_EQ(header[0][2].toInt(), 3);
}

TEST(FlexGridModel, ARowWrittenWholeAnnouncesItsCellsAndDropsWhatLiesBeyondTheColumns) {
    FlexGridModel model;
    model.SetCols(3);
    model.SetRows(3);
    QSignalSpy cells(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy header(&model, &QAbstractItemModel::headerDataChanged);

    EXPECT_TRUE(model.SetRowTexts(2, std::vector<std::string>{"1", "A01"}));
    EXPECT_EQ(model.Text(2, 1), "A01");
    ASSERT_EQ(cells.count(), 1);
    EXPECT_EQ(cells[0][0].toModelIndex(), model.index(1, 0));
    EXPECT_EQ(cells[0][1].toModelIndex(), model.index(1, 1));

    EXPECT_TRUE(model.SetRowTexts(0, std::vector<std::string>{"序号", "存货编码", "存货名称"}));
    EXPECT_EQ(header.count(), 3);
    EXPECT_EQ(model.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), "存货名称");

    EXPECT_FALSE(model.SetRowTexts(1, std::vector<std::string>{"a", "b", "c", "beyond"}));
    EXPECT_EQ(model.Text(1, 2), "c");
    EXPECT_EQ(model.Text(1, 3), "");
    EXPECT_FALSE(model.SetRowTexts(3, std::vector<std::string>{"x"})) << "no row 3";
}

TEST(FlexGridModel, DeferredRectangleIsCutToRowsThatRemain) {
    FlexGridModel model;
    model.SetRows(11);
    QSignalSpy cells(&model, &QAbstractItemModel::dataChanged);
    model.SetDeferUpdates(true);
    model.SetText(10, 0, "late");
    model.SetText(2, 1, "early");
    model.SetRows(5);
    model.SetDeferUpdates(false);
    ASSERT_EQ(cells.count(), 1);
    EXPECT_EQ(cells[0][1].toModelIndex(), model.index(3, 1));
}

TEST(FlexGridModel, ChangesAreAnnouncedAtOnceWhenNotDeferred) {
    FlexGridModel model;
    model.SetRows(3);
    QSignalSpy cells(&model, &QAbstractItemModel::dataChanged);
    model.SetText(1, 0, "a");
    model.SetText(2, 1, "b");
    EXPECT_EQ(cells.count(), 2);
}

struct SortCase {
    const char* name;
    std::vector<std::string> texts;
    Qt::SortOrder order;
    std::vector<std::string> expected;
};

class FlexGridSortTest : public ::testing::TestWithParam<SortCase> {};

TEST_P(FlexGridSortTest, OrdersTheColumn) {
    FlexGridModel model;
    FillColumn(model, 0, GetParam().texts);
    ASSERT_TRUE(model.Sort(0, GetParam().order));
    EXPECT_EQ(Column(model, 0), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, FlexGridSortTest,
    ::testing::Values(
        SortCase{"NumbersByValue",
                 {"10", "9", "100", "-1.5"},
                 Qt::AscendingOrder,
                 {"-1.5", "9", "10", "100"}},
        SortCase{"GroupedNumbers",
                 {"1,234.50", "999.00", "12.00"},
                 Qt::AscendingOrder,
                 {"12.00", "999.00", "1,234.50"}},
        SortCase{"NumbersDescending", {"2", "10", "1"}, Qt::DescendingOrder, {"10", "2", "1"}},
        SortCase{"EmptyFirstThenNumbersThenTexts",
                 {"b", "", "3", "a"},
                 Qt::AscendingOrder,
                 {"", "3", "a", "b"}},
        SortCase{"TextsIgnoreLetterCase",
                 {"b02", "A01", "a03"},
                 Qt::AscendingOrder,
                 {"A01", "a03", "b02"}},
        SortCase{
            "NamesAreNotNumbers", {"nan", "inf", "5"}, Qt::AscendingOrder, {"5", "inf", "nan"}},
        SortCase{"DatesAsText",
                 {"2024-03-01", "2023-12-31", "2024-01-15"},
                 Qt::AscendingOrder,
                 {"2023-12-31", "2024-01-15", "2024-03-01"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FlexGridModel, SortKeepsWholeRowsTogetherAndEqualKeysInOrder) {
    FlexGridModel model;
    model.SetCols(3);
    model.SetRows(5);
    model.SetText(0, 0, "header");
    const std::vector<std::vector<std::string>> rows = {{"1", "B", "second B"},
                                                        {"2", "A", "first A"},
                                                        {"3", "B", "third B"},
                                                        {"4", "A", "fourth A"}};
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < 3; ++c) {
            model.SetText(static_cast<int>(r) + 1, c, rows[r][static_cast<std::size_t>(c)]);
        }
    }
    model.Sort(1, Qt::DescendingOrder);
    EXPECT_EQ(Column(model, 0), (std::vector<std::string>{"1", "3", "2", "4"}));
    EXPECT_EQ(Column(model, 2),
              (std::vector<std::string>{"second B", "third B", "first A", "fourth A"}));
    EXPECT_EQ(model.Text(0, 0), "header");
}

TEST(FlexGridModel, SortReadsTheColumnAsItsKindSays) {
    FlexGridModel model;
    FillColumn(model, 0, {"2024-1-5", "", "2023-12-31"});
    ASSERT_TRUE(model.Sort(0, Qt::AscendingOrder, CellKind::kDate));
    EXPECT_EQ(Column(model, 0), (std::vector<std::string>{"", "2023-12-31", "2024-1-5"}));
    FillColumn(model, 1, {"9", "10", "-1"});
    ASSERT_TRUE(model.Sort(1, Qt::AscendingOrder, CellKind::kText));
    EXPECT_EQ(Column(model, 1), (std::vector<std::string>{"-1", "10", "9"}));
}

TEST(FlexGridModel, ReorderRowsMovesWholeRowsInOneLayoutChange) {
    FlexGridModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.SetCols(2);
    FillColumn(model, 0, {"a", "b", "c"});
    FillColumn(model, 1, {"1", "2", "3"});
    model.SetText(0, 0, "header");
    QSignalSpy layouts(&model, &QAbstractItemModel::layoutChanged);
    QSignalSpy moves(&model, &QAbstractItemModel::rowsMoved);
    QSignalSpy cells(&model, &QAbstractItemModel::dataChanged);

    ASSERT_TRUE(model.ReorderRows({2, 0, 1}));
    EXPECT_EQ(Column(model, 0), (std::vector<std::string>{"c", "a", "b"}));
    EXPECT_EQ(Column(model, 1), (std::vector<std::string>{"3", "1", "2"}));
    EXPECT_EQ(model.Text(0, 0), "header");
    EXPECT_EQ(layouts.count(), 1);
    EXPECT_EQ(moves.count(), 0);
    EXPECT_EQ(cells.count(), 0);
}

TEST(FlexGridModel, ReorderRowsRefusesASequenceThatIsNoReordering) {
    FlexGridModel model;
    FillColumn(model, 0, {"a", "b", "c"});
    QSignalSpy layouts(&model, &QAbstractItemModel::layoutAboutToBeChanged);
    for (const std::vector<int>& sequence :
         std::vector<std::vector<int>>{{0, 1}, {0, 1, 2, 3}, {0, 0, 1}, {0, 1, 3}, {-1, 0, 1}}) {
        EXPECT_FALSE(model.ReorderRows(sequence)) << sequence.size();
    }
    EXPECT_EQ(layouts.count(), 0);
    EXPECT_EQ(Column(model, 0), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(FlexGridModel, PersistentIndexesFollowTheirRowsThroughASort) {
    FlexGridModel model;
    model.SetCols(2);
    FillColumn(model, 0, {"c", "a", "b"});
    const QPersistentModelIndex onA(model.index(1, 1));
    const QPersistentModelIndex onC(model.index(0, 0));
    ASSERT_TRUE(model.Sort(0, Qt::AscendingOrder));
    EXPECT_EQ(onA.row(), 0);
    EXPECT_EQ(onA.column(), 1);
    EXPECT_EQ(onC.row(), 2);
}

TEST(FlexGridModel, HoldsAHundredThousandRowsOfEighteenColumns) {
    constexpr int kRows = 100000;
    constexpr int kCols = 18;
    FlexGridModel model;
    model.SetCols(kCols);
    model.SetRows(kRows + 1);
    model.SetDeferUpdates(true);
    for (int r = 1; r <= kRows; ++r) {
        for (int c = 0; c < kCols; ++c) {
            model.SetText(r, c, std::to_string(r) + ":" + std::to_string(c));
        }
    }
    model.SetDeferUpdates(false);
    EXPECT_EQ(model.rowCount(), kRows);
    EXPECT_EQ(model.Text(1, 0), "1:0");
    EXPECT_EQ(model.Text(54321, 17), "54321:17");
    EXPECT_EQ(model.Text(kRows, 9), "100000:9");
}

}  // namespace
}  // namespace zel
