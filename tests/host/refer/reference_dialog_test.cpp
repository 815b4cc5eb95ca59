#include "host/refer/reference_dialog.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include "support/test_database.h"

namespace zel {
namespace {

class ReferenceDialogTest : public ::testing::Test {
protected:
    std::shared_ptr<IRecordset> Open(std::string sql) {
        auto rows = db.OpenService()->OpenX(sql);
        EXPECT_NE(rows, nullptr) << sql;
        return rows;
    }
    std::unique_ptr<ReferenceDialog> Dialog(const char* type, IRecordset* classes = nullptr,
                                            bool multiSelect = false) {
        auto items = std::make_shared<RecordsetCursor>(Open(itemQuery));
        auto dialog =
            std::make_unique<ReferenceDialog>(ReferenceKind::Of(type), items, classes, multiSelect);
        dialog->show();
        return dialog;
    }
    static QLineEdit& Filter(QDialog& dialog) { return *dialog.findChild<QLineEdit*>("filter"); }
    static QTableView& Items(QDialog& dialog) { return *dialog.findChild<QTableView*>("items"); }
    static std::vector<std::string> Codes(QDialog& dialog) {
        const QAbstractItemModel& model = *Items(dialog).model();
        std::vector<std::string> codes;
        for (int row = 0; row < model.rowCount(); ++row) {
            codes.push_back(model.index(row, 0).data().toString().toStdString());
        }
        return codes;
    }
    static QTreeWidgetItem* ClassItem(QTreeWidget& tree, const QString& code) {
        for (QTreeWidgetItemIterator it(&tree); *it != nullptr; ++it) {
            if ((*it)->data(0, Qt::UserRole).toString() == code) {
                return *it;
            }
        }
        return nullptr;
    }

    test::TestDatabase db;
    std::string itemQuery = "select * from Inventory order by cInvCode";
};

class InventoryDialogTest : public ReferenceDialogTest {
protected:
    void SetUp() override {
        db.Execute(
            "insert into InventoryClass (cInvCCode, cInvCName) values ('01', '五金'), "
            "('0101', '螺钉'), ('0102', '螺母'), ('02', '化工')");
        db.AddInventory("A001", "Bolt M6", {{"cInvCCode", "0101"}});
        db.AddInventory("A002", "Nut M6", {{"cInvCCode", "0102"}});
        db.AddInventory("B001", "bolt m8", {{"cInvCCode", "02"}});
        db.AddInventory("C001", "垫圈", {{"cInvCCode", "01"}});
        classes = Open("select * from InventoryClass Order by cInvCCode ASC");
    }
    std::shared_ptr<IRecordset> classes;
};

TEST_F(InventoryDialogTest, TypingNarrowsOnCodeAndNameInAnyCaseAndMakesTheFirstMatchCurrent) {
    auto dialog = Dialog("Inventory", classes.get());
    EXPECT_EQ(Codes(*dialog).size(), 4u);
    EXPECT_EQ(Items(*dialog).currentIndex().row(), 0);

    QTest::keyClicks(&Filter(*dialog), "BOLT");
    EXPECT_EQ(Codes(*dialog), (std::vector<std::string>{"A001", "B001"}));
    QTest::keyClicks(&Filter(*dialog), " m8");
    EXPECT_EQ(Codes(*dialog), (std::vector<std::string>{"B001"}));
    EXPECT_EQ(Items(*dialog).currentIndex().row(), 0);
    EXPECT_EQ(dialog->ChosenRows(), (std::vector<int>{2}));

    Filter(*dialog).setText("a00");  // by code, lower case
    EXPECT_EQ(Codes(*dialog), (std::vector<std::string>{"A001", "A002"}));
    Filter(*dialog).setText("垫");
    EXPECT_EQ(Codes(*dialog), (std::vector<std::string>{"C001"}));
    Filter(*dialog).setText("none");
    EXPECT_TRUE(Codes(*dialog).empty());
    EXPECT_TRUE(dialog->ChosenRows().empty());
    Filter(*dialog).clear();
    EXPECT_EQ(Codes(*dialog).size(), 4u);
}

TEST_F(InventoryDialogTest, ArrowKeysInTheFilterBoxMoveThroughTheItems) {
    auto dialog = Dialog("Inventory", classes.get());
    QTest::keyClick(&Filter(*dialog), Qt::Key_Down);
    QTest::keyClick(&Filter(*dialog), Qt::Key_Down);
    EXPECT_EQ(dialog->ChosenRows(), (std::vector<int>{2}));
    QTest::keyClick(&Filter(*dialog), Qt::Key_Up);
    EXPECT_EQ(dialog->ChosenRows(), (std::vector<int>{1}));
    EXPECT_TRUE(Filter(*dialog).text().isEmpty());
}

TEST_F(InventoryDialogTest, ListsClassesUnderAllAndNarrowsItemsToTheChosenClassCodePrefix) {
    auto dialog = Dialog("Inventory", classes.get());
    auto* tree = dialog->findChild<QTreeWidget*>("classes");
    ASSERT_NE(tree, nullptr);
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* all = tree->topLevelItem(0);
    EXPECT_EQ(all->text(0), "全部");
    EXPECT_EQ(tree->currentItem(), all);
    ASSERT_EQ(all->childCount(), 2);
    EXPECT_EQ(all->child(0)->text(0), "(01) 五金");
    EXPECT_EQ(all->child(0)->childCount(), 2);

    tree->setCurrentItem(ClassItem(*tree, "01"));
    EXPECT_EQ(Codes(*dialog), (std::vector<std::string>{"A001", "A002", "C001"}));
    tree->setCurrentItem(ClassItem(*tree, "0102"));
    EXPECT_EQ(Codes(*dialog), (std::vector<std::string>{"A002"}));
    tree->setCurrentItem(ClassItem(*tree, "02"));
    QTest::keyClicks(&Filter(*dialog), "bolt");
    EXPECT_EQ(Codes(*dialog), (std::vector<std::string>{"B001"}));
    tree->setCurrentItem(all);
    EXPECT_EQ(Codes(*dialog), (std::vector<std::string>{"A001", "B001"}));
}

TEST_F(InventoryDialogTest, NamesTheTypeInTheTitleAndShowsClassesOnlyForInventory) {
    auto inventory = Dialog("INVENTORY", classes.get());
    EXPECT_EQ(inventory->windowTitle(), "参照 - 存货");
    EXPECT_NE(inventory->findChild<QTreeWidget*>("classes"), nullptr);
    auto withoutClasses = Dialog("Inventory");
    EXPECT_EQ(withoutClasses->findChild<QTreeWidget*>("classes"), nullptr);
    auto person = Dialog("person", classes.get());
    EXPECT_EQ(person->windowTitle(), "参照 - 人员");
    EXPECT_EQ(person->findChild<QTreeWidget*>("classes"), nullptr);
}

TEST_F(InventoryDialogTest, GivesTheSelectedRowsOfAMultipleChoiceInQueryOrder) {
    auto dialog = Dialog("Inventory", nullptr, true);
    QItemSelectionModel& selection = *Items(*dialog).selectionModel();
    const QAbstractItemModel& model = *Items(*dialog).model();
    selection.select(model.index(3, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selection.select(model.index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(dialog->ChosenRows(), (std::vector<int>{0, 1, 3}));  // row 0 was current
}

TEST_F(ReferenceDialogTest, HeadsWarehouseColumnsWithTheirCaptions) {
    db.AddWarehouse("01", "成品库");
    itemQuery = "select * from Warehouse";
    auto dialog = Dialog("warehouse");
    EXPECT_EQ(dialog->windowTitle(), "参照 - 仓库");
    const QAbstractItemModel& model = *Items(*dialog).model();
    ASSERT_EQ(model.columnCount(), 4);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "仓库编码");
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "仓库名称");
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), "仓库地址");
    EXPECT_EQ(model.headerData(3, Qt::Horizontal).toString(), "负责人");
}

TEST_F(ReferenceDialogTest, HoldsAHundredThousandItemsWithoutAWidgetPerRow) {
    constexpr int kItems = 100'000;
    ASSERT_TRUE(db.Execute(
        "with recursive n(i) as (select 1 union all select i + 1 from n where i < 100000) "
        "insert into Inventory (iId, cInvCode, cInvName, cInvCCode) "
        "select i, printf('I%06d', i), printf('Item %d', i), printf('%02d', i % 50) from n"));
    auto dialog = Dialog("Inventory");
    const QAbstractItemModel& model = *Items(*dialog).model();
    EXPECT_EQ(model.rowCount(), kItems);
    const auto widgets = dialog->findChildren<QWidget*>().size();

    QTest::keyClicks(&Filter(*dialog), "i0999");
    EXPECT_EQ(model.rowCount(), 100);  // I099900 .. I099999
    EXPECT_EQ(model.index(0, 0).data().toString(), "I099900");
    Filter(*dialog).setText("item 5");
    EXPECT_EQ(model.rowCount(), 11'111);  // 5, 50..59, 500..599, 5000..5999, 50000..59999
    Filter(*dialog).clear();
    EXPECT_EQ(model.rowCount(), kItems);

    EXPECT_EQ(dialog->findChildren<QWidget*>().size(), widgets);
    EXPECT_LT(widgets, 40);
    for (int row = 0; row < model.rowCount(); row += 97) {
        EXPECT_EQ(Items(*dialog).indexWidget(model.index(row, 0)), nullptr);
    }
}

}  // namespace
}  // namespace zel
