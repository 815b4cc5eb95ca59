#include "checkplan/frm_due_checks.h"

#include <QAction>
#include <QDateEdit>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include "checkplan/due_checks_command.h"
#include "component/support/main_window_fixture.h"

namespace korvel {
namespace {

// 2024-03-15 is the fixture's business date.
class DueChecksWindowTest : public test::MainWindowTest {
protected:
    void SetUp() override {
        database.AddWarehouse("01", "成品库");
        database.AddWarehouse("02", "原料库");
        database.AddPerson("P01", "张三");
        database.AddInventory("C001", "钉");
        database.AddInventory("C002", "铆");
        database.AddCorrespondence("01", "C001",
                                   {{"cFrequency", "天"},
                                    {"iFrequency", 10},
                                    {"dLastDate", "2024-03-01"},
                                    {"cWhPersonCode", "P01"}});
        database.AddCorrespondence("02", "C002", {{"cFrequency", "月"}, {"iFrequency", 1}});
        database.AddCorrespondence(
            "02", "C001", {{"cFrequency", "月"}, {"iFrequency", 1}, {"dLastDate", "2024-03-10"}});
        MainWindowCommands commands;
        commands.dueChecks = DueChecksCommand();
        Open(commands);
    }

    std::string Cell(FrmDueChecks& due, int row, int col) {
        return due.Grid().TextMatrix(row, col);
    }

    std::string LastCheck(const std::string& warehouse, const std::string& item) {
        return database
            .Scalar("select dLastDate from WhInvContrapose where cWhCode='" + warehouse +
                    "' and cInvCode='" + item + "'")
            .ToString();
    }
};

TEST_F(DueChecksWindowTest, ListsTheDueRowsOnTheBusinessDateAndFilters) {
    FrmDueChecks due(context, {}, window.get());
    due.Query();
    ASSERT_EQ(due.Grid().Rows(), 3) << "a header and two due rows";
    EXPECT_EQ(due.AsOf().date().toString(Qt::ISODate), "2024-03-15");
    EXPECT_EQ(Cell(due, 1, 3), "C002");
    EXPECT_EQ(Cell(due, 1, 7), "从未盘点");
    EXPECT_EQ(Cell(due, 2, 3), "C001");
    EXPECT_EQ(Cell(due, 2, 5), "P01 张三");
    EXPECT_EQ(Cell(due, 2, 7), "2024-03-11");
    EXPECT_EQ(Cell(due, 2, 8), "4");
    EXPECT_EQ(Cell(due, 0, 1), "仓库编码");
    due.WarehouseFilter().setText("01");
    due.Query();
    EXPECT_EQ(due.Grid().Rows(), 2);
    due.WarehouseFilter().clear();
    due.AsOf().setDate(QDate(2024, 4, 10));
    due.Query();
    EXPECT_EQ(due.Grid().Rows(), 4) << "the monthly row falls due on 2024-04-10";
}

TEST_F(DueChecksWindowTest, CountedTodayMarksTheChosenRowsAndRefreshesTheMainGridOnClose) {
    int refreshed = 0;
    FrmDueChecks due(
        context, [&] { ++refreshed; }, window.get());
    due.Query();
    due.Grid().SetRow(1);
    due.Grid().SetRowSel(2);
    due.findChild<QPushButton*>("CountedButton")->click();
    EXPECT_EQ(LastCheck("02", "C002"), "2024-03-15");
    EXPECT_EQ(LastCheck("01", "C001"), "2024-03-15");
    EXPECT_EQ(LastCheck("02", "C001"), "2024-03-10");
    EXPECT_EQ(MessageTexts().back(), "已将2行的上次盘点日期设为今天。");
    EXPECT_EQ(due.Grid().Rows(), 1) << "nothing is due any more";
    EXPECT_TRUE(EditLockIsFree("other")) << "the edit lock is given back";
    due.accept();
    EXPECT_EQ(refreshed, 1);
}

TEST_F(DueChecksWindowTest, AnotherUsersEditLockChangesNothing) {
    FrmDueChecks due(context, {}, window.get());
    due.Query();
    const auto other = HoldEditLock("other");
    due.Grid().SetRow(2);
    due.Grid().SetRowSel(2);
    due.CountedToday();
    EXPECT_EQ(LastCheck("01", "C001"), "2024-03-01");
}

TEST_F(DueChecksWindowTest, TheOperationMenuOpensTheWindow) {
    QAction* item = window->Menus().findChild<QAction*>("mDueChecks");
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isEnabled());
    item->trigger();
    EXPECT_EQ(database.Dialogs().ModalCount(), 1);
}

}  // namespace
}  // namespace korvel
