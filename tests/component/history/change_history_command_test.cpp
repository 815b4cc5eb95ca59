#include "history/change_history_command.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "component/support/main_window_fixture.h"
#include "editor/edit_record_command.h"
#include "editor/frm_add_inv.h"
#include "history/frm_change_history.h"

namespace korvel {
namespace {

// Where the history window opens from and for which rows.
class ChangeHistoryEntryPointsTest : public test::MainWindowTest {
protected:
    void SetUp() override {
        database.AddWarehouse("01", "成品库");
        database.AddInventory("A001", "螺钉");
        database.AddInventory("A002", "螺母");
        database.AddCorrespondence("01", "A001", {{"iTopSum", 5}});
        database.AddCorrespondence("01", "A002", {{"iTopSum", 6}});
    }

    void OpenWithHistory() {
        MainWindowCommands commands;
        commands.editRecord = EditRecordCommand();
        commands.changeHistory = ChangeHistoryCommand();
        Open(std::move(commands));
        Click(*window, "r01");
    }

    // The next modal window is the history over the main window, of these rows:
    // "warehouse/item".
    void ExpectHistoryOf(const std::string& rows) {
        database.Dialogs().QueueModal([this, rows](QDialog& dialog) {
            auto* history = dynamic_cast<FrmChangeHistory*>(&dialog);
            EXPECT_NE(history, nullptr) << dialog.objectName().toStdString();
            if (history) {
                shown = history->WarehouseFilter().text().toStdString() + "/" +
                        history->InventoryFilter().text().toStdString();
                EXPECT_EQ(history->parentWidget(), window.get());
                EXPECT_TRUE(history->RestoreButton().isEnabled());
                EXPECT_TRUE(history->UndoButton().isEnabled());
            }
            EXPECT_EQ(shown, rows);
            return 0;
        });
    }

    std::string shown;
};

TEST_F(ChangeHistoryEntryPointsTest, TheMenuAndButtonListTheSelectedWarehouseOrAll) {
    OpenWithHistory();
    ExpectHistoryOf("01/");
    window->Menus().findChild<QAction*>("mHistory")->trigger();
    ExpectHistoryOf("01/");
    emit window->TLB2().ButtonClick("History", {});
    Click(*window, "r");
    ExpectHistoryOf("/");
    window->ExecCommand("History");
    EXPECT_EQ(database.Dialogs().ModalCount(), 3);
}

TEST_F(ChangeHistoryEntryPointsTest, TheRowsHistoryOpensFromTheKeyTheMenuAndThePopUp) {
    OpenWithHistory();
    window->Grid().SetRow(2);
    ExpectHistoryOf("01/A002");
    QTest::keyClick(&window->Grid().View(), Qt::Key_H, Qt::ControlModifier);
    window->Grid().SetRow(1);
    ExpectHistoryOf("01/A001");
    window->Menus().findChild<QAction*>("mRowHistory")->trigger();
    const QRect cell = window->Grid().View().visualRect(window->Grid().Model().GridIndex(2, 1));
    QTest::mouseClick(window->Grid().View().viewport(), Qt::RightButton, Qt::NoModifier,
                      cell.center());
    QAction* item = nullptr;
    for (QAction* action : window->PopMenuMgr().Menu().actions()) {
        if (action->data().toString() == "RowHistory") {
            item = action;
        }
    }
    ASSERT_NE(item, nullptr) << "the pop-up offers the row's history beside the sort";
    EXPECT_EQ(item->text(), "此行历史");
    ExpectHistoryOf("01/A002");
    item->trigger();
    EXPECT_EQ(database.Dialogs().ModalCount(), 3);
}

// The grid row of the first entry of that kind and field, 0 for none.
int RowOf(FrmChangeHistory& history, const std::string& kind, const std::string& field,
          const std::string& inventory) {
    const auto& rows = history.Rows();
    for (std::size_t index = 0; index < rows.size(); ++index) {
        if (rows[index].kind == kind && rows[index].field == field &&
            rows[index].inventoryCode == inventory) {
            return static_cast<int>(index) + 1;
        }
    }
    return 0;
}

TEST_F(ChangeHistoryEntryPointsTest, ARestoreFromTheMainWindowPutsTheOldValueBackEverywhere) {
    ASSERT_TRUE(database.Execute("update WhInvContrapose set iTopSum=9.125 where cInvCode='A001'"));
    OpenWithHistory();
    constexpr int kTopColumn = 8;
    EXPECT_EQ(window->Grid().TextMatrix(1, kTopColumn), "9.13");
    database.Dialogs().QueueModal([this](QDialog& dialog) {
        auto& history = dynamic_cast<FrmChangeHistory&>(dialog);
        history.Query();
        const int row = RowOf(history, "change", "iTopSum", "A001");
        EXPECT_GT(row, 0);
        history.Grid().SetRow(row);
        history.Grid().SetRowSel(row);
        history.RestoreButton().click();
        EXPECT_EQ(
            database.Scalar("select iTopSum from WhInvContrapose where cInvCode='A001'").ToString(),
            "5");
        EXPECT_EQ(history.Rows().front().field, "iTopSum") << "the restore is listed first";
        EXPECT_EQ(history.Rows().front().newValue, std::optional<std::string>("5"));
        history.accept();
        return 0;
    });
    window->ExecCommand("History");
    EXPECT_EQ(window->Grid().TextMatrix(1, kTopColumn), "5.00") << "the main grid was read again";
    EXPECT_TRUE(EditLockIsFree("other"));
}

TEST_F(ChangeHistoryEntryPointsTest, UndoingAnAddDeletesTheRowItAdded) {
    OpenWithHistory();
    database.Dialogs().QueueModal([](QDialog& dialog) {
        auto& history = dynamic_cast<FrmChangeHistory&>(dialog);
        history.Query();
        const int row = RowOf(history, "add", "iTopSum", "A002");
        EXPECT_GT(row, 0);
        history.Grid().SetRow(row);
        history.UndoButton().click();
        EXPECT_EQ(history.Rows().front().kind, "delete");
        return 0;
    });
    window->ExecCommand("History");
    EXPECT_EQ(
        database.Scalar("select count(*) from WhInvContrapose where cInvCode='A002'").ToString(),
        "0");
}

// Rows of several entries chosen together undo them all in one step.
TEST_F(ChangeHistoryEntryPointsTest, UndoingTheRowsOfSeveralAddsDeletesAllTheRowsAdded) {
    OpenWithHistory();
    database.Dialogs().QueueModal([](QDialog& dialog) {
        auto& history = dynamic_cast<FrmChangeHistory&>(dialog);
        history.KindFilter().setCurrentIndex(1);
        history.Query();
        history.Grid().SetRow(1);
        history.Grid().SetRowSel(history.Grid().Rows() - 1);
        EXPECT_EQ(history.SelectedChanges().size(), 2U);
        history.UndoButton().click();
        return 0;
    });
    window->ExecCommand("History");
    EXPECT_EQ(database.Scalar("select count(*) from WhInvContrapose").ToString(), "0");
}

TEST_F(ChangeHistoryEntryPointsTest, TheEditorShowsItsRowsHistoryToLookAtOnly) {
    OpenWithHistory();
    window->Grid().SetRow(2);
    database.Dialogs().QueueModal([this](QDialog& dialog) {
        auto& editor = dynamic_cast<FrmAddInv&>(dialog);
        EXPECT_TRUE(editor.Tlb().Buttons("History")->Visible());
        database.Dialogs().QueueModal([this, &dialog](QDialog& shownDialog) {
            auto& history = dynamic_cast<FrmChangeHistory&>(shownDialog);
            shown = history.WarehouseFilter().text().toStdString() + "/" +
                    history.InventoryFilter().text().toStdString();
            EXPECT_EQ(history.parentWidget(), &dialog);
            EXPECT_FALSE(history.RestoreButton().isEnabled());
            EXPECT_EQ(history.RestoreButton().toolTip().toStdString(),
                      "这里只能查看历史；要恢复，请从主窗口的“历史”打开。");
            return 0;
        });
        EXPECT_TRUE(editor.Operating("History"));
        return 0;
    });
    window->ExecCommand("Modify");
    EXPECT_EQ(shown, "01/A002");
    EXPECT_EQ(database.Dialogs().ModalCount(), 2);
}

TEST_F(ChangeHistoryEntryPointsTest, ANewRowInTheEditorHasNoHistoryButton) {
    OpenWithHistory();
    database.Dialogs().QueueModal([](QDialog& dialog) {
        auto& editor = dynamic_cast<FrmAddInv&>(dialog);
        EXPECT_FALSE(editor.Tlb().Buttons("History")->Visible());
        EXPECT_FALSE(editor.Operating("History"));
        return 0;
    });
    window->ExecCommand("Add");
    EXPECT_EQ(database.Dialogs().ModalCount(), 1);
}

TEST_F(ChangeHistoryEntryPointsTest, WithoutTheHistoryItsCommandsShowDisabledAndDoNothing) {
    MainWindowCommands commands;
    commands.editRecord = EditRecordCommand();
    Open(std::move(commands));
    Click(*window, "r01");
    for (const char* name : {"mHistory", "mRowHistory"}) {
        EXPECT_FALSE(window->Menus().findChild<QAction*>(name)->isEnabled()) << name;
    }
    EXPECT_FALSE(window->Tlb().Buttons("History")->Enabled());
    window->ExecCommand("History");
    window->ExecCommand("RowHistory");
    database.Dialogs().QueueModal([](QDialog& dialog) {
        EXPECT_FALSE(dynamic_cast<FrmAddInv&>(dialog).Tlb().Buttons("History")->Visible());
        return 0;
    });
    window->ExecCommand("Modify");
    EXPECT_EQ(database.Dialogs().ModalCount(), 1);
}

}  // namespace
}  // namespace korvel
