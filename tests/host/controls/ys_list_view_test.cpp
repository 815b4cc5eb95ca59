#include "host/controls/ys_list_view.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTreeView>

namespace zel {
namespace {

ListRows Items(int count, int first = 1) {
    ListRows rows;
    for (int i = first; i < first + count; ++i) {
        const std::string code = QString("A%1").arg(i, 4, 10, QChar('0')).toStdString();
        rows.AddRow("k" + code, i % 2 == 0);
        rows.AddText(code);
        rows.AddText("名称" + code);
        rows.AddText("01");
    }
    return rows;
}

TEST(ListItemsModel, PassesTheModelTesterThroughHeadersAppendsChecksAndClear) {
    ListItemsModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    for (const char* header : {"存货编码", "存货名称", "仓库编码"}) {
        model.AddHeader(header);
    }
    model.Append(Items(250));
    model.Append(Items(50, 251));
    model.setData(model.index(3, 0), Qt::Checked, Qt::CheckStateRole);
    model.SetChecked(4, false);
    model.SetCheckedRange(10, 260, true);
    model.Clear();
    model.Append(Items(10));
    model.ClearHeaders();
    EXPECT_EQ(model.columnCount(), 1);
    EXPECT_EQ(model.rowCount(), 10);
}

TEST(ListItemsModel, ShowsEachTextOnlyInItsOwnRowAndColumn) {
    ListItemsModel model;
    for (const char* header : {"存货编码", "存货名称", "仓库编码", "备注"}) {
        model.AddHeader(header);
    }
    model.Append(Items(2));
    model.Append(Items(1, 3));
    const auto text = [&](int row, int column) {
        return model.data(model.index(row, column), Qt::DisplayRole).toString();
    };
    EXPECT_EQ(text(0, 0), "A0001");
    EXPECT_EQ(text(1, 1), "名称A0002");
    EXPECT_EQ(text(2, 0), "A0003");
    EXPECT_EQ(text(2, 2), "01");
    EXPECT_EQ(text(2, 3), "");
    EXPECT_EQ(model.data(model.index(1, 0), Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(model.data(model.index(2, 0), Qt::CheckStateRole).toInt(), Qt::Unchecked);
}

TEST(ListItemsModel, OffersACheckBoxOnTheFirstColumnOnly) {
    ListItemsModel model;
    model.AddHeader("a");
    model.AddHeader("b");
    model.Append(Items(1));
    EXPECT_TRUE(model.flags(model.index(0, 0)) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(model.flags(model.index(0, 1)) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(model.data(model.index(0, 1), Qt::CheckStateRole).isValid());
    EXPECT_FALSE(model.setData(model.index(0, 1), Qt::Checked, Qt::CheckStateRole));
}

TEST(YsListView, ReadsItemsByIndexFromOneAndNothingOutside) {
    YsListView list;
    list.AddColumnHeader("Key1", "存货编码", 1440);
    list.AddColumnHeader("Key2", "存货名称", 1440);
    list.AddItems(Items(3));
    list.AddItem("kB'1&", "B'1&", {"名 称"});

    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.ColumnHeaderCount(), 2);
    EXPECT_EQ(list.ColumnHeaderKey(2), "Key2");
    EXPECT_EQ(list.ColumnHeaderText(1), "存货编码");
    EXPECT_EQ(list.Text(1), "A0001");
    EXPECT_EQ(list.Key(4), "kB'1&");
    EXPECT_EQ(list.SubItem(4, 1), "名 称");
    EXPECT_EQ(list.SubItem(2, 2), "01");
    EXPECT_FALSE(list.Checked(1));
    EXPECT_TRUE(list.Checked(2));
    for (int outside : {0, 5, -1}) {
        EXPECT_EQ(list.Text(outside), "");
        EXPECT_EQ(list.Key(outside), "");
        EXPECT_FALSE(list.Checked(outside));
    }
    EXPECT_EQ(list.SubItem(1, 9), "");
}

TEST(YsListView, RaisesItemCheckForTheUserOnlyAndKeepsTheState) {
    YsListView list;
    list.AddColumnHeader("Key1", "存货编码", 1440);
    list.AddItems(Items(3));
    QSignalSpy checks(&list, &YsListView::ItemCheck);

    list.SetChecked(1, true);
    EXPECT_TRUE(list.Checked(1));
    EXPECT_EQ(checks.count(), 0);

    QAbstractItemModel& model = *list.View().model();
    model.setData(model.index(2, 0), Qt::Checked, Qt::CheckStateRole);
    ASSERT_EQ(checks.count(), 1);
    EXPECT_EQ(checks.at(0).at(0).toInt(), 3);
    EXPECT_TRUE(checks.at(0).at(1).toBool());
    EXPECT_TRUE(list.Checked(3));
}

// Ticking ten thousand rows tells the view once, and the window once, not once per row.
TEST(YsListView, TicksManyRowsWithOneChangeToTheViewAndOneSignal) {
    YsListView list;
    list.AddColumnHeader("Key1", "存货编码", 1440);
    list.AddItems(Items(10000));
    QSignalSpy changes(&list.Model(), &QAbstractItemModel::dataChanged);
    QSignalSpy rowChecks(&list, &YsListView::ItemCheck);
    QSignalSpy bulkChecks(&list, &YsListView::ItemsCheck);
    list.View().selectAll();
    list.TickSelected(true);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(rowChecks.count(), 0);
    EXPECT_EQ(bulkChecks.count(), 1);
    EXPECT_EQ(list.CheckedCount(), 10000);
    list.TickAll(false);
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(bulkChecks.count(), 2);
    EXPECT_EQ(list.CheckedCount(), 0);
    list.SetAllChecked(true);
    EXPECT_EQ(bulkChecks.count(), 2) << "from code: no signal";
    EXPECT_EQ(list.CheckedCount(), 10000);
}

// Space ticks the selected rows unless all of them are ticked already, then it unticks them.
TEST(YsListView, SpaceTicksTheSelectedRowsAndCtrlASelectsEveryRow) {
    YsListView list;
    list.AddColumnHeader("Key1", "存货编码", 1440);
    list.AddItems(Items(6));  // rows 2, 4 and 6 come ticked
    QTreeView& view = list.View();
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(view.selectionModel()->selectedRows().size(), 6);
    QTest::keyClick(&view, Qt::Key_Space);
    EXPECT_EQ(list.CheckedCount(), 6);
    QTest::keyClick(&view, Qt::Key_Space);
    EXPECT_EQ(list.CheckedCount(), 0);
    list.SelectItem(3);
    QTest::keyClick(&view, Qt::Key_Space);
    EXPECT_TRUE(list.Checked(3));
    EXPECT_EQ(list.CheckedCount(), 1);
}

TEST(YsListView, WidensAColumnToItsLongestTextAndNeverNarrowsIt) {
    YsListView list;
    list.AddColumnHeader("Key1", "存货编码", 1440);
    list.AddColumnHeader("Key2", "名称", 1440);
    ListRows rows = Items(300);
    rows.AddRow("klong", false);
    rows.AddText("010100100012345678901234");
    list.AddItems(std::move(rows));
    const int before = list.View().columnWidth(1);
    list.FitColumnToLongestText(1);
    list.FitColumnToLongestText(2);
    QStyleOptionViewItem option;
    option.initFrom(&list.View());
    const QModelIndex longest = list.Model().index(300, 0);
    EXPECT_GE(list.View().columnWidth(0),
              list.View().itemDelegateForIndex(longest)->sizeHint(option, longest).width());
    EXPECT_EQ(list.View().columnWidth(1), before) << "short names keep the given width";
}

TEST(YsListView, SelectsAnItemAndClearsToNoSelection) {
    YsListView list;
    list.AddColumnHeader("Key1", "存货编码", 1440);
    list.AddItems(Items(1000));
    EXPECT_EQ(list.SelectedIndex(), 0);
    list.SelectItem(900);
    EXPECT_EQ(list.SelectedIndex(), 900);
    list.SelectItem(2000);
    EXPECT_EQ(list.SelectedIndex(), 900);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.SelectedIndex(), 0);
}

TEST(YsListView, KeepsTheHourglassValueAndRefusesUnknownPointers) {
    YsListView list;
    EXPECT_TRUE(list.SetMousePointer(11));
    EXPECT_EQ(list.MousePointer(), 11);
    EXPECT_FALSE(list.SetMousePointer(99));
    EXPECT_EQ(list.MousePointer(), 11);
    EXPECT_TRUE(list.SetMousePointer(0));
}

}  // namespace
}  // namespace zel
