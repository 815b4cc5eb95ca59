#include <gtest/gtest.h>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "component/support/main_window_fixture.h"

namespace korvel::test {
namespace {

constexpr const char* kFindNothing = "没有符合条件的记录！";

class MainWindowFilter : public MainWindowTest {
protected:
    // Warehouse 01: A0001 (highest stock 10), A0002 (1); warehouse 02: B0001 (10). The window
    // opens on 02, then shows 01.
    FrmWhInvContra& OpenOnWarehouse01() {
        database.AddWarehouse("01");
        database.AddWarehouse("02");
        for (const char* code : {"A0001", "A0002", "B0001"}) {
            database.AddInventory(code);
        }
        database.AddCorrespondence("01", "A0001", {{"iTopSum", 10}});
        database.AddCorrespondence("01", "A0002", {{"iTopSum", 1}});
        database.AddCorrespondence("02", "B0001", {{"iTopSum", 10}});
        FrmWhInvContra& window = Open();
        Click(window, "r01");
        return window;
    }

    static std::vector<std::string> Codes(FrmWhInvContra& window) {
        std::vector<std::string> codes;
        for (int row = 1; row < window.Grid().Rows(); ++row) {
            codes.push_back(window.Grid().TextMatrix(row, 1));
        }
        return codes;
    }

    RecordingPub& pub = RecordHostCalls();
};

TEST_F(MainWindowFilter, TheConditionNarrowsTheSelectedWarehousesRows) {
    FrmWhInvContra& window = OpenOnWarehouse01();
    pub.findCondition = "WhInvContrapose.iTopSum > 5";
    window.ExecCommand("filter");
    EXPECT_EQ(pub.calls, std::vector<std::string>{"Find 仓库存货对照 FrmWhInvContra"});
    EXPECT_EQ(Codes(window), std::vector<std::string>{"A0001"});
    EXPECT_EQ(window.FilledWarehouse(), "01");
    EXPECT_EQ(window.Stb().PanelText(3), "当前记录数：1 条");
    EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(MainWindowFilter, AnOrInTheConditionStaysWithinTheWarehouseAndTheInventoryRights) {
    context.login.sAuthInv = "(Inventory.cInvCode<>'A0002')";
    FrmWhInvContra& window = OpenOnWarehouse01();
    pub.findCondition = "WhInvContrapose.iTopSum > 5 or 1=1";
    window.ExecCommand("Filter");
    EXPECT_EQ(Codes(window), std::vector<std::string>{"A0001"});
}

TEST_F(MainWindowFilter, CancellingTheFindDialogLeavesTheGridAsItWas) {
    FrmWhInvContra& window = OpenOnWarehouse01();
    window.Grid().SetTextMatrix(0, 2, "untouched");
    window.ExecCommand("Filter");
    EXPECT_EQ(pub.calls.size(), 1u);
    EXPECT_EQ(window.Grid().TextMatrix(0, 2), "untouched");
    EXPECT_EQ(Codes(window), (std::vector<std::string>{"A0001", "A0002"}));
}

TEST_F(MainWindowFilter, NothingFoundSaysSoAndLeavesTheHeaderOnly) {
    FrmWhInvContra& window = OpenOnWarehouse01();
    window.Grid().SetTextMatrix(0, 2, "reset");
    pub.findCondition = "1=2";
    window.ExecCommand("Filter");
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{kFindNothing});
    EXPECT_EQ(window.Grid().Rows(), 1);
    EXPECT_EQ(window.Grid().TextMatrix(0, 2), "存货名称") << "the header is laid out again";
}

TEST_F(MainWindowFilter, WithTheRootSelectedNothingIsFound) {
    FrmWhInvContra& window = OpenOnWarehouse01();
    Click(window, "r");
    database.Dialogs().Clear();
    pub.findCondition = "1=1";
    window.ExecCommand("Filter");
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{kFindNothing});
    EXPECT_EQ(window.Grid().Rows(), 1);
}

TEST_F(MainWindowFilter, AConditionTheDatabaseRejectsIsReportedWithItsReasonAndChangesNothing) {
    FrmWhInvContra& window = OpenOnWarehouse01();
    pub.findCondition = "NoSuchColumn = 1";
    window.ExecCommand("Filter");
    ASSERT_EQ(MessageTexts().size(), 1u);
    const std::string text = MessageTexts().front();
    EXPECT_TRUE(text.starts_with("过滤条件无法使用")) << text;
    EXPECT_NE(QString::fromStdString(text).indexOf("NoSuchColumn", 0, Qt::CaseInsensitive), -1)
        << text;
    EXPECT_EQ(Codes(window), (std::vector<std::string>{"A0001", "A0002"}));
    EXPECT_EQ(window.FilledWarehouse(), "01");
    EXPECT_EQ(window.Stb().PanelText(3), "当前记录数：2 条");
}

TEST_F(MainWindowFilter, ARefreshEndsTheFilter) {
    FrmWhInvContra& window = OpenOnWarehouse01();
    pub.findCondition = "1=2";
    window.ExecCommand("Filter");
    window.ExecCommand("Refresh");
    EXPECT_EQ(Codes(window), (std::vector<std::string>{"A0001", "A0002"}));
}

TEST_F(MainWindowFilter, FilterSetUpAndLocateGoToTheHost) {
    FrmWhInvContra& window = OpenOnWarehouse01();
    window.ExecCommand("SetFind");
    window.ExecCommand("POS");
    EXPECT_EQ(pub.calls, (std::vector<std::string>{"FindSet 仓库存货对照 FrmWhInvContra",
                                                   "FindPos FrmWhInvContra Grid"}));
}

using MainWindowSort = MainWindowFilter;

TEST_F(MainWindowSort, TheHiddenSortItemsThePopUpAndMouseReleasesReachTheHost) {
    FrmWhInvContra& window = OpenOnWarehouse01();
    auto* order = window.Menus().findChild<QMenu*>("mOrder");
    ASSERT_NE(order, nullptr);
    EXPECT_FALSE(order->menuAction()->isVisible());
    order->findChild<QAction*>("mAsc")->trigger();
    order->findChild<QAction*>("mDesc")->trigger();
    emit window.Grid().MouseUp(2, 1, 300, 450);
    emit window.PopMenuMgr().ItemClick("col2desc");
    EXPECT_EQ(pub.calls, (std::vector<std::string>{
                             "GridSort FrmWhInvContra Grid 1",
                             "GridSort FrmWhInvContra Grid 2",
                             "ShowPopupMenu FrmWhInvContra Grid 2 1 300 450",
                             "GridSortNew FrmWhInvContra Grid col2desc",
                         }));
}

TEST_F(MainWindowSort, ALeftClickOnlyTellsTheHostOfTheRelease) {
    FrmWhInvContra& window = OpenOnWarehouse01();
    zel::FlexGrid& grid = window.Grid();
    const QRect cell = grid.View().visualRect(grid.Model().GridIndex(2, 1));
    QTest::mouseClick(grid.View().viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    ASSERT_EQ(pub.calls.size(), 1u);
    EXPECT_TRUE(pub.calls.front().starts_with("ShowPopupMenu FrmWhInvContra Grid 1 0 "))
        << pub.calls.front();
    EXPECT_EQ(Codes(window), (std::vector<std::string>{"A0001", "A0002"}));
}

TEST_F(MainWindowSort, AFailingHostSortStaysInsideTheWindow) {
    FrmWhInvContra& window = OpenOnWarehouse01();
    pub.failing = {"GridSort", "ShowPopupMenu", "GridSortNew"};
    window.Menus().findChild<QAction*>("mAsc")->trigger();
    emit window.Grid().MouseUp(2, 0, 0, 0);
    emit window.PopMenuMgr().ItemClick("k");
    EXPECT_EQ(pub.calls.size(), 3u);
}

}  // namespace
}  // namespace korvel::test
