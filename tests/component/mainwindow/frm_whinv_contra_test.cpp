#include "mainwindow/frm_whinv_contra.h"

#include <QAction>
#include <QMenuBar>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <functional>
#include <stdexcept>

#include "component/support/main_window_fixture.h"

namespace korvel::test {
namespace {

constexpr const char* k408 = "请点击具体的仓库名称！";
constexpr const char* k770 = "没有仓库信息";

zel::YsTreeNode& Node(FrmWhInvContra& window, const std::string& key) {
    zel::YsTreeNode* node = window.Trv().Nodes().Find(key);
    if (!node) {
        throw std::runtime_error("no node " + key);
    }
    return *node;
}

// Runs during the next fill's first pause for events; dropped with the window.
template <class Action>
void DuringNextFill(FrmWhInvContra& window, Action action) {
    QTimer::singleShot(0, &window, action);
}

// What the commands' windows were asked to do.
struct CommandLog {
    std::vector<std::pair<int, int>> edits;
    std::function<void()> duringEdit;

    MainWindowCommands Commands() {
        MainWindowCommands commands;
        commands.editRecord = [this](FrmWhInvContra&, int mode, int row) {
            edits.emplace_back(mode, row);
            if (duringEdit) {
                duringEdit();
            }
        };
        return commands;
    }
};

using MainWindowTree = MainWindowTest;

TEST_F(MainWindowTree, FirstActivationListsTheWarehousesByCodeAndOpensTheLastOne) {
    for (const char* code : {"10", "01", "02"}) {
        database.AddWarehouse(code, std::string("库") + code);
    }
    database.AddInventory("A001");
    database.AddCorrespondence("10", "A001");
    FrmWhInvContra& window = Open();
    const auto& nodes = window.Trv().Nodes();
    ASSERT_EQ(nodes.Count(), 4);
    EXPECT_EQ(nodes.Item(1)->Key(), "r");
    EXPECT_EQ(nodes.Item(1)->Text(), "仓库");
    EXPECT_EQ(nodes.Item(2)->Key(), "r01");
    EXPECT_EQ(nodes.Item(3)->Key(), "r02");
    EXPECT_EQ(nodes.Item(4)->Key(), "r10");
    EXPECT_EQ(nodes.Item(4)->Text(), "(10) 库10");
    EXPECT_EQ(window.SelectedWarehouse(), "10");
    EXPECT_EQ(window.FilledWarehouse(), "10");
    EXPECT_EQ(window.YsFrmCaptionMgr().Caption(), "仓库存货对照表-(10) 库10");
    EXPECT_EQ(window.LblCaption().Caption(), "仓库存货对照表-(10) 库10");
    EXPECT_EQ(window.Grid().Rows(), 2);
    EXPECT_FALSE(window.bFirstActivate());
    EXPECT_TRUE(MessageTexts().empty());

    window.hide();
    window.show();
    Pump();
    EXPECT_EQ(window.Trv().Nodes().Count(), 4) << "the tree is built once";
}

TEST_F(MainWindowTree, ACodeWithTrailingBlanksOrAnApostropheSelectsItsOwnRows) {
    database.AddWarehouse("O'K1  ", "奥克");
    database.AddWarehouse("01");
    database.AddInventory("BOLT'M8");
    database.AddInventory("A001");
    database.AddCorrespondence("O'K1", "BOLT'M8");
    database.AddCorrespondence("01", "A001");
    FrmWhInvContra& window = Open();
    EXPECT_EQ(Node(window, "rO'K1").Text(), "(O'K1) 奥克");
    Click(window, "rO'K1");
    EXPECT_EQ(window.SelectedWarehouse(), "O'K1");
    ASSERT_EQ(window.Grid().Rows(), 2);
    EXPECT_EQ(window.Grid().TextMatrix(1, 1), "BOLT'M8");
}

TEST_F(MainWindowTree, AUserWithoutWarehouseRightsSeesTheRootOnlyAndAddSaysSo) {
    database.AddWarehouse("01");
    BindContext("nobody");
    CommandLog log;
    FrmWhInvContra& window = Open(log.Commands());
    EXPECT_EQ(window.Trv().Nodes().Count(), 1);
    EXPECT_TRUE(Node(window, "r").Selected());
    EXPECT_TRUE(MessageTexts().empty());
    window.ExecCommand("Add");
    window.ExecCommand("Modify");
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{k770, k770}));
    EXPECT_TRUE(log.edits.empty());
}

TEST_F(MainWindowTree, ClickingTheRootKeepsTheRowsButChangingThemAsksForAWarehouse) {
    database.AddWarehouse("01");
    database.AddInventory("A001");
    database.AddCorrespondence("01", "A001");
    CommandLog log;
    FrmWhInvContra& window = Open(log.Commands());
    Click(window, "r");
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{k408});
    EXPECT_EQ(window.YsFrmCaptionMgr().Caption(), "仓库存货对照表");
    EXPECT_EQ(window.Grid().Rows(), 2);
    window.ExecCommand("Modify");
    EXPECT_EQ(MessageTexts().size(), 2u);
    EXPECT_TRUE(log.edits.empty());
}

using MainWindowGrid = MainWindowTest;

TEST_F(MainWindowGrid, RowsShowNumberedDisplayTextsUnderTheCatalogueHeaders) {
    database.AddWarehouse("01");
    database.AddPerson("P01", "王");
    database.AddInventory("A001", "螺钉", {{"cInvStd", "M8"}});
    database.AddCorrespondence("01", "A001",
                               {{"iTopSum", 100},
                                {"iWastage", 0.5},
                                {"cFrequency", "月"},
                                {"iFrequency", 2},
                                {"iDays", 3},
                                {"dLastDate", "2024-01-31"},
                                {"cWhPersonCode", "P01"}});
    database.AddInventory("A002");
    database.AddCorrespondence("01", "A002");
    FrmWhInvContra& window = Open();
    zel::FlexGrid& grid = window.Grid();
    ASSERT_EQ(grid.Cols(), 18);
    ASSERT_EQ(grid.Rows(), 3);
    EXPECT_EQ(grid.TextMatrix(0, 0), "序号");
    EXPECT_EQ(grid.TextMatrix(0, 1), "存货编码");
    EXPECT_EQ(grid.TextMatrix(0, 8), "最高库存");
    EXPECT_EQ(grid.TextMatrix(0, 15), "上次盘点日期");
    const std::vector<std::string> first = {"1", "A001", "螺钉", "M8"};
    for (int col = 0; col < 4; ++col) {
        EXPECT_EQ(grid.TextMatrix(1, col), first[col]);
    }
    EXPECT_EQ(grid.TextMatrix(1, 8), "100.00");
    EXPECT_EQ(grid.TextMatrix(1, 11), "0.50");
    EXPECT_EQ(grid.TextMatrix(1, 12), "2");
    EXPECT_EQ(grid.TextMatrix(1, 13), "月");
    EXPECT_EQ(grid.TextMatrix(1, 14), "3");
    EXPECT_EQ(grid.TextMatrix(1, 15), "2024-01-31");
    EXPECT_EQ(grid.TextMatrix(1, 16), "P01");
    EXPECT_EQ(grid.TextMatrix(1, 17), "王");
    EXPECT_EQ(grid.TextMatrix(2, 0), "2");
    EXPECT_EQ(grid.TextMatrix(2, 8), "");
    EXPECT_EQ(window.Stb().PanelText(3), "当前记录数：2 条");
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 1);
}

TEST_F(MainWindowGrid, EveryHeaderIsTheCaptionOfItsQueryColumn) {
    database.AddWarehouse("01");
    FrmWhInvContra& window = Open();
    const auto& caption = context.catalogue.arrFldCaption;
    // Grid column c shows caption captionOfColumn[c]; column 0 is the serial number.
    const int captionOfColumn[] = {-1, 0, 1, 2, 3, 13, 4, 14, 5, 6, 7, 8, 9, 10, 11, 12, 15, 16};
    ASSERT_EQ(window.Grid().Cols(), static_cast<int>(std::size(captionOfColumn)));
    for (int col = 1; col < window.Grid().Cols(); ++col) {
        EXPECT_EQ(window.Grid().TextMatrix(0, col), caption[captionOfColumn[col]]) << col;
        EXPECT_FALSE(caption[captionOfColumn[col]].empty()) << col;
    }
}

// The rows stay under their own warehouse: the click is undone rather than show them under
// another one, or show that one as empty.
TEST_F(MainWindowGrid, AFailingQueryKeepsTheRowsUnderTheirOwnWarehouseAndSaysWhy) {
    database.AddWarehouse("01");
    database.AddWarehouse("02");
    database.AddInventory("A001");
    database.AddCorrespondence("02", "A001");
    CommandLog log;
    FrmWhInvContra& window = Open(log.Commands());
    ASSERT_EQ(window.Grid().Rows(), 2);
    ASSERT_TRUE(database.Execute("alter table Person rename to PersonGone"));
    Click(window, "r01");
    EXPECT_EQ(window.Grid().Rows(), 2);
    EXPECT_EQ(window.SelectedWarehouse(), "02");
    EXPECT_EQ(window.FilledWarehouse(), "02");
    EXPECT_EQ(window.Stb().PanelText(3), "当前记录数：1 条");
    ASSERT_EQ(MessageTexts().size(), 1u);
    EXPECT_TRUE(MessageTexts().front().starts_with("无法读取或保存数据："))
        << MessageTexts().front();
    window.ExecCommand("Modify");
    EXPECT_EQ(log.edits, (std::vector<std::pair<int, int>>{{2, 1}}));
}

TEST_F(MainWindowGrid, ALongFillNumbersEveryRowAndLetsEventsRunOnTheWay) {
    database.AddWarehouse("01");
    AddRows("01", "A", 450);
    int eventsDuringFill = 0;
    FrmWhInvContra& window = Open();
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++eventsDuringFill; });
    ticker.start(0);
    window.DataRefresh();
    ticker.stop();
    ASSERT_EQ(window.Grid().Rows(), 451);
    for (int row : {1, 200, 201, 450}) {
        EXPECT_EQ(window.Grid().TextMatrix(row, 0), std::to_string(row));
    }
    EXPECT_EQ(window.Grid().TextMatrix(450, 1), "A0450");
    EXPECT_EQ(eventsDuringFill, 2);
    EXPECT_EQ(window.Grid().MousePointer(), 0);
    EXPECT_TRUE(window.Grid().Redraw());
}

using MainWindowNestedFill = MainWindowTest;

TEST_F(MainWindowNestedFill, AClickDuringAFillLeavesOnlyTheClickedWarehousesRows) {
    database.AddWarehouse("01");
    database.AddWarehouse("02");
    AddRows("01", "A", 450);
    AddRows("02", "B", 3);
    FrmWhInvContra& window = Open();
    DuringNextFill(window, [&] { Click(window, "r02"); });
    Click(window, "r01");
    ASSERT_EQ(window.Grid().Rows(), 4);
    for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(window.Grid().TextMatrix(row, 1).substr(0, 1), "B");
    }
    EXPECT_EQ(window.FilledWarehouse(), "02");
    EXPECT_EQ(window.Stb().PanelText(3), "当前记录数：3 条");
}

TEST_F(MainWindowNestedFill, ANewerFillThatFailedStillStopsTheOuterOne) {
    database.AddWarehouse("01");
    database.AddWarehouse("02");
    AddRows("01", "A", 450);
    FrmWhInvContra& window = Open();
    DuringNextFill(window, [&] {
        // The outer fill still reads, so the connection sees the schema of its start: the newer
        // query is made to fail by its own text.
        window.Context().login.sAuthInv = "(no_such_column=1)";
        Click(window, "r02");
    });
    Click(window, "r01");
    EXPECT_EQ(window.Grid().Rows(), 1);
    EXPECT_EQ(window.FilledWarehouse(), std::nullopt);
}

TEST_F(MainWindowNestedFill, ANewerEmptyFillStopsTheOuterOne) {
    database.AddWarehouse("01");
    database.AddWarehouse("02");
    AddRows("01", "A", 450);
    FrmWhInvContra& window = Open();
    DuringNextFill(window, [&] { Click(window, "r02"); });
    Click(window, "r01");
    EXPECT_EQ(window.Grid().Rows(), 1);
    EXPECT_EQ(window.FilledWarehouse(), "02");
}

TEST_F(MainWindowNestedFill, ClosingDuringAFillWaitsUntilTheFillHasEnded) {
    database.AddWarehouse("01");
    AddRows("01", "A", 450);
    FrmWhInvContra& window = Open();
    DuringNextFill(window, [&] { window.ExecCommand("Exit"); });
    window.DataRefresh();
    EXPECT_EQ(window.Grid().Rows(), 451);
    EXPECT_EQ(window.Grid().TextMatrix(450, 1), "A0450");
    Pump();
    EXPECT_FALSE(window.isVisible());
}

using MainWindowCommandsTest = MainWindowTest;

TEST_F(MainWindowCommandsTest, AddFromTheRootEditsTheFirstWarehouseUnderTheEditLock) {
    database.AddWarehouse("01");
    database.AddWarehouse("02");
    CommandLog log;
    FrmWhInvContra& window = Open(log.Commands());
    Click(window, "r");
    bool lockedMeanwhile = false;
    log.duringEdit = [&] {
        database.AddInventory("N001");
        database.AddCorrespondence("01", "N001");
        lockedMeanwhile = !EditLockIsFree("other");
    };
    window.ExecCommand("ADD");
    EXPECT_EQ(log.edits, (std::vector<std::pair<int, int>>{{1, 0}}));
    EXPECT_EQ(window.SelectedWarehouse(), "01");
    EXPECT_EQ(window.Grid().TextMatrix(1, 1), "N001") << "refreshed after the editor";
    EXPECT_TRUE(lockedMeanwhile);
    EXPECT_TRUE(EditLockIsFree("other"));
}

TEST_F(MainWindowCommandsTest, ARefusedEditLockRunsNothingAndAFailingEditorStillReleasesIt) {
    database.AddWarehouse("01");
    database.AddInventory("A001");
    database.AddCorrespondence("01", "A001");
    CommandLog log;
    FrmWhInvContra& window = Open(log.Commands());
    {
        const auto holder = HoldEditLock("other");
        window.ExecCommand("Modify");
        EXPECT_TRUE(log.edits.empty());
    }
    database.Dialogs().Clear();
    log.duringEdit = [] { throw std::runtime_error("editor failed"); };
    window.ExecCommand("Modify");
    EXPECT_EQ(log.edits, (std::vector<std::pair<int, int>>{{2, 1}}));
    EXPECT_TRUE(EditLockIsFree("other"));
    EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(MainWindowCommandsTest, DoubleClickModifiesDataRowsOnly) {
    database.AddWarehouse("01");
    database.AddInventory("A001");
    database.AddCorrespondence("01", "A001");
    CommandLog log;
    FrmWhInvContra& window = Open(log.Commands());
    emit window.Grid().DblClick();
    EXPECT_EQ(log.edits.size(), 1u);
    window.Grid().SetRow(0);
    emit window.Grid().DblClick();
    EXPECT_EQ(log.edits.size(), 1u);
}

// Modify edits the row where the selection ends, which a shift-click moves away from the anchor.
TEST_F(MainWindowCommandsTest, ModifyOpensTheRowWhereAShiftClickEndedTheSelection) {
    database.AddWarehouse("01");
    AddRows("01", "A", 4);
    CommandLog log;
    FrmWhInvContra& window = Open(log.Commands());
    zel::FlexGrid& grid = window.Grid();
    ASSERT_EQ(grid.Rows(), 5);
    const auto click = [&](int row, Qt::KeyboardModifiers modifiers) {
        const QRect cell = grid.View().visualRect(grid.Model().GridIndex(row, 1));
        QTest::mouseClick(grid.View().viewport(), Qt::LeftButton, modifiers, cell.center());
    };
    click(1, Qt::NoModifier);
    click(3, Qt::ShiftModifier);
    ASSERT_EQ(grid.Row(), 1);
    ASSERT_EQ(grid.RowSel(), 3);
    window.ExecCommand("Modify");
    click(2, Qt::ShiftModifier);
    window.ExecCommand("Modify");
    EXPECT_EQ(log.edits, (std::vector<std::pair<int, int>>{{2, 3}, {2, 2}}));
}

TEST_F(MainWindowCommandsTest, KeysAndToolbarButtonsReachTheirCommands) {
    database.AddWarehouse("01");
    CommandLog log;
    RecordingPub& pub = RecordHostCalls();
    FrmWhInvContra& window = Open(log.Commands());
    database.AddInventory("A001");
    database.AddCorrespondence("01", "A001");
    QTest::keyClick(&window.Grid().View(), Qt::Key_F9);
    EXPECT_EQ(window.Grid().Rows(), 2);
    QTest::keyClick(&window.Grid().View(), Qt::Key_F3, Qt::ControlModifier);
    EXPECT_EQ(pub.calls, std::vector<std::string>{"FindPos FrmWhInvContra Grid"});
    database.AddInventory("A002");
    database.AddCorrespondence("01", "A002");
    QAction* refresh = window.TLB2().Action("Refresh");
    ASSERT_NE(refresh, nullptr);
    refresh->trigger();
    EXPECT_EQ(window.Grid().Rows(), 3);
    EXPECT_TRUE(window.TLB2().Action("Add")->isEnabled());
    EXPECT_FALSE(window.TLB2().Action("BatchAdd")->isEnabled()) << "its window is not built";
}

// What a command did first: the host call it made, or the question it asked.
TEST_F(MainWindowCommandsTest, EveryButtonMenuItemAndKeyOfTheGridCommandsReachesItsCommand) {
    database.AddWarehouse("01");
    AddRows("01", "A", 2);
    RecordingPub& pub = RecordHostCalls();
    FrmWhInvContra& window = Open();
    QWidget& grid = window.Grid().View();
    using Trigger = std::function<QAction*()>;
    const auto button = [&](const char* key) -> Trigger {
        return [&window, key] { return window.TLB2().Action(key); };
    };
    const auto item = [&](const char* name) -> Trigger {
        return [&window, name] { return window.Menus().findChild<QAction*>(name); };
    };
    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) -> Trigger {
        return [&grid, key, modifiers] {
            QTest::keyClick(&grid, key, modifiers);
            return nullptr;
        };
    };
    const std::string question = "确定要删除存货编码为A0001的仓库存货对照吗？";
    const struct {
        const char* source;
        Trigger trigger;
        std::string first;
    } cases[] = {
        {"button SetUp", button("SetUp"), "HelpHide SetUp FrmWhInvContra"},
        {"button Print", button("Print"), "HelpHide Print FrmWhInvContra"},
        {"button Preview", button("Preview"), "HelpHide Preview FrmWhInvContra"},
        {"button SaveFile", button("SaveFile"), "HelpHide SaveFile FrmWhInvContra"},
        {"button Delete", button("Delete"), question},
        {"button Filter", button("Filter"), "Find 仓库存货对照 FrmWhInvContra"},
        {"button Pos", button("Pos"), "FindPos FrmWhInvContra Grid"},
        {"item mSetUp", item("mSetUp"), "HelpHide SetUp FrmWhInvContra"},
        {"item mPreview", item("mPreview"), "HelpHide Preview FrmWhInvContra"},
        {"item mPrint", item("mPrint"), "HelpHide Print FrmWhInvContra"},
        {"item mSaveFile", item("mSaveFile"), "HelpHide SaveFile FrmWhInvContra"},
        {"item mDelete", item("mDelete"), question},
        {"item mFilter", item("mFilter"), "Find 仓库存货对照 FrmWhInvContra"},
        {"item mPos", item("mPos"), "FindPos FrmWhInvContra Grid"},
        {"item mFindSet", item("mFindSet"), "FindSet 仓库存货对照 FrmWhInvContra"},
        {"key Delete", press(Qt::Key_Delete, Qt::NoModifier), question},
        {"key F3", press(Qt::Key_F3, Qt::NoModifier), "Find 仓库存货对照 FrmWhInvContra"},
        {"key Ctrl+F3", press(Qt::Key_F3, Qt::ControlModifier), "FindPos FrmWhInvContra Grid"},
        {"key Ctrl+P", press(Qt::Key_P, Qt::ControlModifier), "HelpHide Print FrmWhInvContra"},
    };
    for (const auto& c : cases) {
        pub.calls.clear();
        database.Dialogs().Clear();
        if (QAction* action = c.trigger()) {
            EXPECT_TRUE(action->isEnabled()) << c.source;
            action->trigger();
        }
        const std::string first = !pub.calls.empty()        ? pub.calls.front()
                                  : !MessageTexts().empty() ? MessageTexts().front()
                                                            : "";
        EXPECT_EQ(first, c.first) << c.source;
    }
}

TEST_F(MainWindowCommandsTest, HelpOpensTheGuideAndSeparatorsDoNothing) {
    FrmWhInvContra& window = Open();
    window.ExecCommand("btnSep1");
    EXPECT_TRUE(MessageTexts().empty());
    EXPECT_EQ(window.findChild<QTextBrowser*>("HelpViewer"), nullptr);
    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_NE(window.findChild<QTextBrowser*>("HelpViewer"), nullptr);
    EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(MainWindowCommandsTest, ExitStoresTheLayoutAndClosesTheWindow) {
    FrmWhInvContra& window = Open();
    window.ExecCommand("Exit");
    Pump();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(database.Scalar("select count(*) from aa_formlayout where cUserId='demo'"),
              zel::Variant(1));
}

using MainWindowLayoutTest = MainWindowTest;

TEST_F(MainWindowLayoutTest, PanesFillTheWindowAndTheStatusBarOptionGivesItsRoomToThem) {
    FrmWhInvContra& window = Open();
    window.resize(900, 600);
    Pump();
    const QWidget& client = *window.Grid().parentWidget();
    EXPECT_EQ(window.Grid().geometry().right() + 1, client.width());
    EXPECT_EQ(window.Grid().y(), window.Trv().y());
    EXPECT_EQ(window.PicSeparate().x(), window.Trv().geometry().right() + 1);
    const int treeHeight = window.Trv().height();
    window.ExecCommand("mStb");
    EXPECT_TRUE(window.Stb().isHidden());
    EXPECT_GT(window.Trv().height(), treeHeight);
    window.resize(20, 20);
    Pump();
    EXPECT_GE(window.Trv().height(), 0);
    EXPECT_GE(window.Grid().width(), 0);
}

TEST_F(MainWindowLayoutTest, AWiderWindowWidensTheGridsColumnsToItsEdge) {
    database.AddWarehouse("01");
    AddRows("01", "A", 3);
    FrmWhInvContra& window = Open();
    const QTableView& view = window.Grid().View();
    const auto used = [&] {
        int width = 0;
        for (int col = 0; col < window.Grid().Cols(); ++col) {
            width += view.isColumnHidden(col) ? 0 : view.columnWidth(col);
        }
        return width;
    };
    for (const int width : {1600, 2400}) {
        window.resize(width, 600);
        Pump();
        EXPECT_EQ(used(), view.viewport()->width()) << width;
    }
}

TEST_F(MainWindowLayoutTest, DraggingTheSplitterWidensTheTreeAndMovesTheGrid) {
    FrmWhInvContra& window = Open();
    window.resize(900, 600);
    Pump();
    const int treeWidth = window.Trv().width();
    emit window.PicSeparate().MouseDown(1, 0, 0, 0);
    emit window.PicSeparate().MouseMove(1, 0, 1500, 0);
    emit window.PicSeparate().MouseUp(1, 0, 1500, 0);
    Pump();
    EXPECT_GT(window.Trv().width(), treeWidth);
    EXPECT_EQ(window.Grid().x(), window.PicSeparate().geometry().right() + 1);
}

TEST_F(MainWindowLayoutTest, TheClockRefreshesOnEverySecondTick) {
    FrmWhInvContra& window = Open();
    zel::YsStatusBar& bar = window.Stb();
    bar.SetTimeText("");
    std::vector<int> states;
    for (int tick = 0; tick < 4; ++tick) {
        emit bar.Tick();
        states.push_back(bar.DisplayState());
    }
    EXPECT_EQ(states, (std::vector<int>{1, 0, 1, 0}));
    EXPECT_FALSE(bar.TimeText().empty());
}

// A window option as the user changes it: a click on its menu item.
struct OptionCase {
    const char* key;
    bool openedOn;
    // What the window shows of the option besides the check mark.
    std::function<bool(FrmWhInvContra&)> shown;
};

const OptionCase kOptionCases[] = {
    {"mText", false, [](FrmWhInvContra& w) { return w.TLB2().TextButtons(); }},
    {"mStb", true, [](FrmWhInvContra& w) { return !w.Stb().isHidden(); }},
    {"mPrintNo", true, nullptr},
};

QAction& MenuItem(FrmWhInvContra& window, const char* name) {
    auto* action = window.findChild<QAction*>(name);
    if (!action) {
        throw std::runtime_error(std::string("no menu item ") + name);
    }
    return *action;
}

using MainWindowOptionsTest = MainWindowTest;

TEST_F(MainWindowOptionsTest, EachClickFlipsTheOptionAndTheStoredValueFollows) {
    FrmWhInvContra& window = Open();
    const auto stored = [&](const char* key) {
        return database
            .Scalar(std::string("select cValue from aa_formoption where cUserId='demo' and "
                                "cOption='") +
                    key + "'")
            .ToString();
    };
    for (const OptionCase& c : kOptionCases) {
        QAction& item = MenuItem(window, c.key);
        for (const bool expected : {!c.openedOn, c.openedOn, !c.openedOn}) {
            item.trigger();
            Pump();
            EXPECT_EQ(item.isChecked(), expected) << c.key;
            if (c.shown) {
                EXPECT_EQ(c.shown(window), expected) << c.key;
            }
            EXPECT_EQ(stored(c.key), expected ? "1" : "0") << c.key;
        }
    }
}

// As the program starts the component: the session's user is known before the window loads.
TEST_F(MainWindowOptionsTest, ANewWindowOpensWithTheOptionsOfTheLastOne) {
    BindContext();
    database.Environment()->session = context.login.login;
    FrmWhInvContra& first = Open();
    for (const OptionCase& c : kOptionCases) {
        MenuItem(first, c.key).trigger();
    }
    first.ExecCommand("Exit");
    Pump();
    window.reset();

    BindContext();
    database.Environment()->session = context.login.login;
    FrmWhInvContra& again = Open();
    for (const OptionCase& c : kOptionCases) {
        EXPECT_EQ(MenuItem(again, c.key).isChecked(), !c.openedOn) << c.key;
        if (c.shown) {
            EXPECT_EQ(c.shown(again), !c.openedOn) << c.key;
        }
    }
}

}  // namespace
}  // namespace korvel::test
