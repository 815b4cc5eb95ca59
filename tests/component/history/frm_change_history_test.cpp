#include "history/frm_change_history.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "checkplan/counted_today.h"
#include "component/support/main_window_fixture.h"

namespace korvel {
namespace {

// A row added with a quantity of six decimals, then changed and deleted by statements from
// outside the program, and one counted today by the program itself.
class ChangeHistoryWindowTest : public test::MainWindowTest {
protected:
    void SetUp() override {
        Seed();
        Open();
    }

    void Seed() {
        database.AddWarehouse("01", "成品库");
        database.AddWarehouse("02", "原料库");
        database.AddInventory("A001", "螺钉");
        database.AddInventory("A002", "螺母");
        database.AddCorrespondence("01", "A001", {{"iTopSum", 12.345678}});
        database.AddCorrespondence("02", "A002", {{"iSafeNum", 3}});
        Write("update WhInvContrapose set iTopSum=7.5, iSafeNum=2 where cInvCode='A001'");
        Write("delete from WhInvContrapose where cWhCode='02'");
    }

    void Write(const std::string& sql) { ASSERT_TRUE(database.Execute(sql)) << sql; }

    static ChangeHistoryFilter RowOf(const std::string& warehouse, const std::string& inventory) {
        return {.warehouse = warehouse, .inventory = inventory};
    }

    static std::string Cell(FrmChangeHistory& history, int row, int col) {
        return history.Grid().TextMatrix(row, col);
    }

    // "kind warehouse/item field old>new" of each grid row without the bookkeeping fields the
    // writer fills itself.
    static std::vector<std::string> Lines(FrmChangeHistory& history) {
        std::vector<std::string> lines;
        for (int row = 1; row < history.Grid().Rows(); ++row) {
            const ChangeHistoryEntry& entry = history.Rows()[static_cast<std::size_t>(row) - 1];
            if (entry.field == "cCreatePerson" || entry.field == "cModifyPerson" ||
                entry.field == "dModifyDate") {
                continue;
            }
            lines.push_back(
                entry.kind + " " + Cell(history, row, FrmChangeHistory::kWarehouseCodeColumn) +
                "/" + Cell(history, row, FrmChangeHistory::kInventoryCodeColumn) + " " +
                entry.field + " " + Cell(history, row, FrmChangeHistory::kOldValueColumn) + ">" +
                Cell(history, row, FrmChangeHistory::kNewValueColumn));
        }
        return lines;
    }
};

TEST_F(ChangeHistoryWindowTest, TheHistoryOfARowListsItsChangesNewestFirstWithTheirExactValues) {
    FrmChangeHistory history(context, RowOf("01", "A001"), {}, window.get());
    history.Query();
    const std::vector<std::string> lines = Lines(history);
    ASSERT_GE(lines.size(), 4U);
    std::vector<std::string> newest{lines[0], lines[1]};
    std::ranges::sort(newest);
    EXPECT_EQ(newest, (std::vector<std::string>{"change 01/A001 iSafeNum >2",
                                                "change 01/A001 iTopSum 12.345678>7.5"}));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "add 01/A001 iTopSum >12.345678"), 1);
    for (const std::string& line : lines) {
        EXPECT_NE(line.find(" 01/A001 "), std::string::npos) << line;
    }
    EXPECT_EQ(Cell(history, 1, FrmChangeHistory::kKindColumn), "修改");
    EXPECT_EQ(Cell(history, 1, FrmChangeHistory::kWarehouseNameColumn), "成品库");
    EXPECT_EQ(Cell(history, 1, FrmChangeHistory::kInventoryNameColumn), "螺钉");
    EXPECT_EQ(Cell(history, 1, 0), "1");
    EXPECT_EQ(Cell(history, 0, FrmChangeHistory::kOldValueColumn), "原值");
    EXPECT_EQ(history.WarehouseFilter().text(), "01");
    EXPECT_EQ(history.InventoryFilter().text(), "A001");
    EXPECT_EQ(history.Count().text().toStdString(),
              "共" + std::to_string(history.Rows().size()) + "行");
}

// How many of the rows a filter keeps.
enum class Kept { kNone, kSome, kAll };

// Each filter narrows the list to the value rows that meet it, and no others.
TEST_F(ChangeHistoryWindowTest, EachFilterKeepsTheRowsThatMeetItOnly) {
    const QDate today = QDate::currentDate();
    const struct {
        const char* name;
        std::function<void(FrmChangeHistory&)> set;
        std::function<bool(const ChangeHistoryEntry&)> meets;
        Kept kept;
    } cases[] = {
        {"kind", [](FrmChangeHistory& h) { h.KindFilter().setCurrentIndex(3); },
         [](const ChangeHistoryEntry& e) { return e.kind == "delete"; }, Kept::kSome},
        {"import kind",
         [](FrmChangeHistory& h) {
             h.KindFilter().setCurrentIndex(h.KindFilter().findData("import"));
         },
         [](const ChangeHistoryEntry& e) { return e.kind == "import"; }, Kept::kNone},
        {"field",
         [](FrmChangeHistory& h) {
             h.FieldFilter().setCurrentIndex(h.FieldFilter().findData("iSafeNum"));
         },
         [](const ChangeHistoryEntry& e) { return e.field == "iSafeNum"; }, Kept::kSome},
        {"warehouse", [](FrmChangeHistory& h) { h.WarehouseFilter().setText("02"); },
         [](const ChangeHistoryEntry& e) { return e.warehouseCode == "02"; }, Kept::kSome},
        {"item", [](FrmChangeHistory& h) { h.InventoryFilter().setText("A002"); },
         [](const ChangeHistoryEntry& e) { return e.inventoryCode == "A002"; }, Kept::kSome},
        {"today",
         [&](FrmChangeHistory& h) {
             h.FromSet().setChecked(true);
             h.From().setDate(today);
             h.ToSet().setChecked(true);
             h.To().setDate(today);
         },
         [](const ChangeHistoryEntry&) { return true; }, Kept::kAll},
        {"from tomorrow",
         [&](FrmChangeHistory& h) {
             h.FromSet().setChecked(true);
             h.From().setDate(today.addDays(1));
         },
         [](const ChangeHistoryEntry&) { return false; }, Kept::kNone},
        {"to yesterday",
         [&](FrmChangeHistory& h) {
             h.ToSet().setChecked(true);
             h.To().setDate(today.addDays(-1));
         },
         [](const ChangeHistoryEntry&) { return false; }, Kept::kNone},
        {"nobody", [](FrmChangeHistory& h) { h.UserFilter().setText("nobody"); },
         [](const ChangeHistoryEntry&) { return false; }, Kept::kNone},
    };
    FrmChangeHistory all(context, {}, {}, window.get());
    all.Query();
    const std::size_t total = all.Rows().size();
    for (const auto& c : cases) {
        FrmChangeHistory history(context, {}, {}, window.get());
        c.set(history);
        history.Query();
        const std::size_t kept = history.Rows().size();
        EXPECT_EQ(kept == 0       ? Kept::kNone
                  : kept == total ? Kept::kAll
                                  : Kept::kSome,
                  c.kept)
            << c.name;
        EXPECT_EQ(history.Grid().Rows(), static_cast<int>(history.Rows().size()) + 1) << c.name;
        for (const ChangeHistoryEntry& entry : history.Rows()) {
            EXPECT_TRUE(c.meets(entry)) << c.name << ": " << entry.field;
        }
    }
}

TEST_F(ChangeHistoryWindowTest, TheProgramsOwnWriteIsCreditedToItsUserAndFoundByIt) {
    // As Show does: the host's services write in the login's name.
    database.Environment()->session = context.login.login;
    ASSERT_TRUE(MarkCountedToday(context.login, {{"01", "A001"}}).done);
    FrmChangeHistory history(context, RowOf("01", "A001"), {}, window.get());
    history.Query();
    ASSERT_FALSE(history.Rows().empty());
    const ChangeHistoryEntry newest = history.Rows().front();
    EXPECT_EQ(newest.field, "dLastDate");
    EXPECT_EQ(newest.newValue, std::optional<std::string>("2024-03-15"));
    ASSERT_FALSE(newest.user.empty());
    history.UserFilter().setText(QString::fromStdString(newest.user));
    history.Query();
    ASSERT_FALSE(history.Rows().empty());
    for (const ChangeHistoryEntry& entry : history.Rows()) {
        EXPECT_EQ(entry.user, newest.user);
    }
}

// Grid row r shows Rows()[r - 1] in whatever order: what is restored is what the user chose.
TEST_F(ChangeHistoryWindowTest, ASortedListStillGivesTheChosenRowsAndTheCurrentEntry) {
    FrmChangeHistory history(context, {}, {}, window.get());
    history.Query();
    for (const int col : {FrmChangeHistory::kFieldColumn, FrmChangeHistory::kFieldColumn,
                          FrmChangeHistory::kOldValueColumn, FrmChangeHistory::kWhenColumn}) {
        history.SortByColumn(col);
        history.Grid().SetRow(2);
        history.Grid().SetRowSel(4);
        const std::vector<ChangeHistoryEntry> chosen = history.SelectedValues();
        ASSERT_EQ(chosen.size(), 3U);
        for (int row = 2; row <= 4; ++row) {
            const ChangeHistoryEntry& entry = chosen[static_cast<std::size_t>(row) - 2];
            EXPECT_EQ(Cell(history, row, FrmChangeHistory::kWarehouseCodeColumn),
                      entry.warehouseCode);
            EXPECT_EQ(Cell(history, row, FrmChangeHistory::kInventoryCodeColumn),
                      entry.inventoryCode);
            EXPECT_EQ(Cell(history, row, 0), std::to_string(row));
        }
        EXPECT_EQ(history.CurrentChange(), chosen.front().change);
        std::vector<long long> changes;
        for (const ChangeHistoryEntry& entry : chosen) {
            if (std::ranges::find(changes, entry.change) == changes.end()) {
                changes.push_back(entry.change);
            }
        }
        std::ranges::sort(changes, std::greater<>());
        EXPECT_EQ(history.SelectedChanges(), changes);
    }
    history.SortByColumn(FrmChangeHistory::kFieldColumn);
    history.SortByColumn(FrmChangeHistory::kFieldColumn);
    EXPECT_GE(Cell(history, 1, FrmChangeHistory::kFieldColumn),
              Cell(history, history.Grid().Rows() - 1, FrmChangeHistory::kFieldColumn))
        << "the second click sorts the other way";
}

TEST_F(ChangeHistoryWindowTest, WithoutWhatTheyRunRestoreAndUndoAreOffAndSayWhy) {
    FrmChangeHistory history(context, {}, {}, window.get());
    history.Query();
    for (QPushButton* button : {&history.RestoreButton(), &history.UndoButton()}) {
        EXPECT_FALSE(button->isEnabled());
        EXPECT_FALSE(button->toolTip().isEmpty());
    }
    EXPECT_EQ(history.RestoreButton().text(), "恢复");
    EXPECT_EQ(history.UndoButton().text(), "撤销此步");
}

TEST_F(ChangeHistoryWindowTest, RestoreAndUndoGetTheChosenRowsThenTheListIsReadAgain) {
    std::vector<ChangeHistoryEntry> restored;
    std::vector<std::vector<long long>> undone;
    int refreshed = 0;
    ChangeHistoryLinks links{
        [&](const std::vector<ChangeHistoryEntry>& values) {
            restored = values;
            Write("update WhInvContrapose set iTopSum=12.345678 where cInvCode='A001'");
            return true;
        },
        [&](const std::vector<long long>& changes) {
            undone.push_back(changes);
            return false;
        },
        [&] { ++refreshed; }};
    FrmChangeHistory history(context, RowOf("01", "A001"), std::move(links), window.get());
    history.Query();
    EXPECT_TRUE(history.RestoreButton().isEnabled());
    const std::size_t before = history.Rows().size();
    history.Grid().SetRow(2);
    history.Grid().SetRowSel(2);
    const ChangeHistoryEntry chosen = history.Rows()[1];
    history.UndoButton().click();
    EXPECT_EQ(undone, (std::vector<std::vector<long long>>{{chosen.change}}));
    EXPECT_EQ(history.Rows().size(), before) << "nothing written: the list stays";
    history.RestoreButton().click();
    ASSERT_EQ(restored.size(), 1U);
    EXPECT_EQ(restored[0].change, chosen.change);
    EXPECT_EQ(restored[0].field, chosen.field);
    EXPECT_EQ(history.Rows().size(), before + 1) << "the restore's own change is listed";
    EXPECT_EQ(Lines(history).front(), "change 01/A001 iTopSum 7.5>12.345678");
    EXPECT_EQ(refreshed, 0);
    history.accept();
    EXPECT_EQ(refreshed, 1) << "the main grid is read again once, at close";
}

TEST_F(ChangeHistoryWindowTest, AQueryStartedWhileAnotherReadsTakesTheGridOver) {
    FrmChangeHistory history(context, {}, {}, window.get());
    QTimer::singleShot(0, &history, [&] {
        history.WarehouseFilter().setText("02");
        history.Query();
    });
    history.Query();
    ASSERT_FALSE(history.Rows().empty());
    for (const ChangeHistoryEntry& entry : history.Rows()) {
        EXPECT_EQ(entry.warehouseCode, "02");
    }
    EXPECT_EQ(history.Grid().Rows(), static_cast<int>(history.Rows().size()) + 1);
}

TEST_F(ChangeHistoryWindowTest, ALongHistoryListsItsNewestRowsAndSaysSo) {
    FrmChangeHistory all(context, {}, {}, window.get());
    all.Query();
    FrmChangeHistory newest(context, {}, {}, window.get());
    newest.LimitRows(3);
    newest.Query();
    ASSERT_GE(newest.Rows().size(), 3U);
    ASSERT_LT(newest.Rows().size(), all.Rows().size());
    for (std::size_t index = 0; index < newest.Rows().size(); ++index) {
        EXPECT_EQ(newest.Rows()[index].change, all.Rows()[index].change);
    }
    EXPECT_EQ(newest.Count().text().toStdString(),
              "只列出了最新的" + std::to_string(newest.Rows().size()) +
                  "行，更早的请缩小查询范围，或用 whinv-report history 输出。");
}

TEST_F(ChangeHistoryWindowTest, TheWindowReadsItsListOnceShown) {
    FrmChangeHistory history(context, RowOf("02", "A002"), {}, window.get());
    history.show();
    EXPECT_EQ(history.Grid().Rows(), 1) << "not before it shows";
    Pump();
    EXPECT_GT(history.Grid().Rows(), 1);
}

TEST_F(ChangeHistoryWindowTest, TheExportWritesTheValuesWithAllTheirDecimals) {
    FrmChangeHistory history(context, RowOf("01", "A001"), {}, window.get());
    history.Query();
    const QString path = QString::fromStdString(database.Folder() + "/history.csv");
    database.Dialogs().QueueModal([&](QDialog& shown) {
        auto& dialog = dynamic_cast<QFileDialog&>(shown);
        dialog.selectNameFilter(dialog.nameFilters().at(0));
        dialog.selectFile(path);
        return static_cast<int>(QDialog::Accepted);
    });
    history.findChild<QPushButton*>("SaveFileButton")->click();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains("12.345678")) << text.toStdString();
    EXPECT_TRUE(text.contains("成品库")) << text.toStdString();
}

class ChangeHistoryPrintTest : public ChangeHistoryWindowTest {
protected:
    void SetUp() override {
        Seed();
        pub = &RecordHostCalls();
        Open();
    }
    test::RecordingPub* pub = nullptr;
};

TEST_F(ChangeHistoryPrintTest, ThePrintKeysPrintTheListUnderItsOwnTitleAndWarehouse) {
    FrmChangeHistory history(context, RowOf("01", ""), {}, window.get());
    history.Query();
    for (const char* button : {"PrintButton", "PreviewButton", "SaveFileButton", "SetUpButton"}) {
        pub->calls.clear();
        history.findChild<QPushButton*>(button)->click();
        ASSERT_GE(pub->calls.size(), 3U) << button;
        EXPECT_EQ(pub->calls[1], "GetPrnStyle 修改历史 Grid") << button;
    }
    pub->failing = {"GetData"};
    history.findChild<QPushButton*>("PrintButton")->click();
    EXPECT_EQ(pub->dataWarehouse, "01 成品库");
    history.WarehouseFilter().clear();
    history.Query();
    history.findChild<QPushButton*>("PrintButton")->click();
    EXPECT_EQ(pub->dataWarehouse, "全部仓库");
}

}  // namespace
}  // namespace korvel
