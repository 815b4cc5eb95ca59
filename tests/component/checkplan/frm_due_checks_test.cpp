#include "checkplan/frm_due_checks.h"

#include <QAction>
#include <QDateEdit>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include "checkplan/due_checks_command.h"
#include "component/support/main_window_fixture.h"
#include "editor/edit_record_command.h"
#include "editor/frm_add_inv.h"
#include "host/controls/export/export_columns.h"

namespace korvel {
namespace {

// 2024-03-15 is the fixture's business date.
class DueChecksWindowTest : public test::MainWindowTest {
protected:
    void SetUp() override {
        Seed();
        Open(Commands());
    }

    void Seed() {
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
    }

    static MainWindowCommands Commands() {
        MainWindowCommands commands;
        commands.editRecord = EditRecordCommand();
        commands.dueChecks = DueChecksCommand();
        return commands;
    }

    // The item codes down the grid.
    static std::string Items(FrmDueChecks& due) {
        std::string items;
        for (int row = 1; row < due.Grid().Rows(); ++row) {
            items += due.Grid().TextMatrix(row, 0) + ":" + due.Grid().TextMatrix(row, 1) + "/" +
                     due.Grid().TextMatrix(row, 3) + " ";
        }
        return items;
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
    EXPECT_EQ(due.Count().text().toStdString(), "共3行到期");
}

TEST_F(DueChecksWindowTest, AQueryStartedWhileAnotherReadsTakesTheGridOver) {
    FrmDueChecks due(context, {}, window.get());
    QTimer::singleShot(0, &due, [&] {
        due.WarehouseFilter().setText("01");
        due.Query();
    });
    due.Query();
    EXPECT_EQ(Items(due), "1:01/C001 ");
    EXPECT_EQ(due.Rows().size(), 1U);
}

TEST_F(DueChecksWindowTest, TheWindowReadsItsListOnceShown) {
    FrmDueChecks due(context, {}, window.get());
    due.show();
    EXPECT_EQ(due.Grid().Rows(), 1) << "not before it shows";
    Pump();
    EXPECT_EQ(due.Grid().Rows(), 3);
}

// Rows beyond one slice: the first slice, a few screens, shows, counted as still reading, before
// the rest is read.
TEST_F(DueChecksWindowTest, TheFirstSliceShowsBeforeTheReadEnds) {
    database.AddWarehouse("03", "周转库");
    ASSERT_TRUE(database.Execute(
        "with recursive k(i) as (select 1 union all select i+1 from k where i<5100) "
        "insert into Inventory (cInvCode, cInvName) select printf('S%04d', i), 'x' from k"));
    ASSERT_TRUE(
        database.Execute("insert into WhInvContrapose (cWhCode, cInvCode, cFrequency, iFrequency) "
                         "select '03', cInvCode, '天', 1 from Inventory where cInvCode like 'S%'"));
    FrmDueChecks due(context, {}, window.get());
    int shownWhileReading = 0;
    std::string countWhileReading;
    QTimer::singleShot(0, &due, [&] {
        shownWhileReading = due.Grid().Rows() - 1;
        countWhileReading = due.Count().text().toStdString();
    });
    due.Query();
    EXPECT_EQ(shownWhileReading, static_cast<int>(ListWindow::kFirstSliceRows));
    EXPECT_EQ(countWhileReading, "正在读取，已找到100行……");
    EXPECT_EQ(due.Grid().Rows(), 1 + 5100 + 2);
    EXPECT_EQ(due.Count().text().toStdString(), "共5102行到期");
}

// A last check before 1900 is no date the program reads: the row is due at once, listed first
// with the never counted ones, and says why.
TEST_F(DueChecksWindowTest, ARowWhoseLastCheckCannotBeReadIsListedFirstAndSaysSo) {
    ASSERT_TRUE(
        database.Execute("update WhInvContrapose set dLastDate='1899-12-31' "
                         "where cWhCode='02' and cInvCode='C001'"));
    FrmDueChecks due(context, {}, window.get());
    due.Query();
    EXPECT_EQ(Items(due), "1:02/C001 2:02/C002 3:01/C001 ");
    EXPECT_EQ(Cell(due, 1, 6), "1899-12-31");
    EXPECT_EQ(Cell(due, 1, 7), "上次盘点日期无效");
    EXPECT_EQ(Cell(due, 2, 7), "从未盘点");
}

TEST_F(DueChecksWindowTest,
       AHeadingSortsByItsColumnThenTheOtherWayAndCountedTodayTakesTheRowShown) {
    FrmDueChecks due(context, {}, window.get());
    due.Query();
    EXPECT_EQ(Items(due), "1:02/C002 2:01/C001 ") << "never counted first";
    due.SortByColumn(3);
    EXPECT_EQ(Items(due), "1:01/C001 2:02/C002 ");
    due.SortByColumn(3);
    EXPECT_EQ(Items(due), "1:02/C002 2:01/C001 ");
    due.SortByColumn(1);
    EXPECT_EQ(Items(due), "1:01/C001 2:02/C002 ");
    due.Grid().SetRow(1);
    due.CountedToday();
    EXPECT_EQ(LastCheck("01", "C001"), "2024-03-15");
    EXPECT_EQ(LastCheck("02", "C002"), "");
    EXPECT_EQ(Items(due), "1:02/C002 ");
}

TEST_F(DueChecksWindowTest, ADoubleClickEditsTheRowInTheEditorAndReadsTheListAgain) {
    FrmDueChecks due(
        context,
        {[] {},
         [this](const RowKey& row) { return window->ModifyRowOf(row.warehouse, row.inventory); }},
        window.get());
    due.Query();
    database.Dialogs().QueueModal([](QDialog& dialog) {
        auto& editor = static_cast<FrmAddInv&>(dialog);
        EXPECT_EQ(editor.EditMode(), FrmAddInv::kModify);
        EXPECT_EQ(editor.EdtcWhCode().Text(), "01");
        EXPECT_EQ(editor.Edtcinvcode().Text(), "C001");
        editor.EdtdLastDate().SetText("2024-03-14");
        EXPECT_TRUE(editor.Operating("SaveRs"));
        return 0;
    });
    due.Grid().SetRow(2);
    due.EditCurrentRow();
    EXPECT_EQ(database.Dialogs().ModalCount(), 1);
    EXPECT_EQ(LastCheck("01", "C001"), "2024-03-14");
    EXPECT_EQ(Items(due), "1:02/C002 ");
    EXPECT_EQ(window->SelectedWarehouse(), "01");
    EXPECT_EQ(window->Grid().Rows(), 2) << "the main grid holds the warehouse's rows again";
    EXPECT_TRUE(EditLockIsFree("other"));
}

TEST_F(DueChecksWindowTest, ADoubleClickOnARowGoneMeanwhileOpensNoEditor) {
    FrmDueChecks due(
        context,
        {[] {},
         [this](const RowKey& row) { return window->ModifyRowOf(row.warehouse, row.inventory); }},
        window.get());
    due.Query();
    ASSERT_TRUE(database.Execute("delete from WhInvContrapose where cInvCode='C001'"));
    due.Grid().SetRow(2);
    due.EditCurrentRow();
    EXPECT_EQ(database.Dialogs().ModalCount(), 0);
    EXPECT_EQ(Items(due), "1:02/C002 2:01/C001 ") << "the list is left as it was";
    EXPECT_FALSE(window->ModifyRowOf("09", "C001")) << "no such warehouse";
}

TEST_F(DueChecksWindowTest, TheExportTellsTheDueListsTextsDatesAndNumbersApart) {
    FrmDueChecks due(context, {}, window.get());
    due.Query();
    const auto columns = context.login.db->OpenX(DueChecksColumnsQuery());
    ASSERT_NE(columns, nullptr) << context.login.db->LastError();
    std::string types;
    std::string sizes;
    context.login.pub->GetTypeSize(types, sizes, columns, due.Grid());
    std::string kinds;
    for (const zel::ExportColumn& column : zel::ReadExportColumns(types, sizes)) {
        kinds += column.kind == zel::FieldKind::kNumber ? 'N'
                 : column.kind == zel::FieldKind::kDate ? 'D'
                                                        : 'T';
    }
    EXPECT_EQ(kinds, "NTTTTTDDN");
}

TEST_F(DueChecksWindowTest, CountedTodayMarksTheChosenRowsAndRefreshesTheMainGridOnClose) {
    int refreshed = 0;
    FrmDueChecks due(context, {[&] { ++refreshed; }, {}}, window.get());
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

TEST_F(DueChecksWindowTest, TheExportButtonWritesTheListShownToTheChosenFile) {
    FrmDueChecks due(context, {}, window.get());
    due.Query();
    due.SortByColumn(3);
    const QString path = QString::fromStdString(database.Folder() + "/due.csv");
    database.Dialogs().QueueModal([&](QDialog& shown) {
        auto& dialog = dynamic_cast<QFileDialog&>(shown);
        dialog.selectNameFilter(dialog.nameFilters().at(0));
        dialog.selectFile(path);
        return static_cast<int>(QDialog::Accepted);
    });
    due.findChild<QPushButton*>("SaveFileButton")->click();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 3) << lines.join('|').toStdString();
    const QString last = lines.back().trimmed();
    EXPECT_TRUE(last.contains("02") && last.contains("C002") && last.contains("从未盘点"))
        << last.toStdString();
    EXPECT_TRUE(lines[lines.size() - 2].contains("2024-03-11"))
        << lines[lines.size() - 2].toStdString();
}

class DueChecksPrintTest : public DueChecksWindowTest {
protected:
    void SetUp() override {
        Seed();
        pub = &RecordHostCalls();
        Open(Commands());
    }
    test::RecordingPub* pub = nullptr;
};

TEST_F(DueChecksPrintTest, ThePrintKeysPrintTheListUnderItsOwnTitleAndStyle) {
    FrmDueChecks due(context, {}, window.get());
    due.Query();
    for (const char* button : {"PrintButton", "PreviewButton", "SaveFileButton", "SetUpButton"}) {
        pub->calls.clear();
        due.findChild<QPushButton*>(button)->click();
        ASSERT_GE(pub->calls.size(), 3U) << button;
        EXPECT_EQ(pub->calls[1], "GetPrnStyle 盘点到期清单 Grid") << button;
        EXPECT_EQ(pub->calls[2], "GetData 盘点到期清单 2024-03-15 001 demo demo Grid") << button;
    }
    pub->calls.clear();
    emit due.Prn().SaveStyle(QVariant("<style "), QVariant(3));
    EXPECT_EQ(pub->calls, std::vector<std::string>{"SavePrnStyle 盘点到期清单 <style 3"});
}

// The heading names the warehouse the list was asked for, or all warehouses.
TEST_F(DueChecksPrintTest, ThePrintNamesTheWarehouseTheListWasAskedFor) {
    FrmDueChecks due(context, {}, window.get());
    pub->failing = {"GetData"};
    const struct {
        const char* filter;
        const char* named;
    } cases[] = {{"", "全部仓库"}, {"02", "02 原料库"}};
    for (const auto& c : cases) {
        due.WarehouseFilter().setText(c.filter);
        due.Query();
        due.findChild<QPushButton*>("PrintButton")->click();
        EXPECT_EQ(pub->dataWarehouse, c.named) << c.filter;
    }
}

TEST_F(DueChecksPrintTest, AnEmptyListSaysThereIsNoData) {
    FrmDueChecks due(context, {}, window.get());
    due.AsOf().setDate(QDate(2000, 1, 1));
    database.Execute("update WhInvContrapose set dLastDate='2024-03-01'");
    due.Query();
    due.findChild<QPushButton*>("PrintButton")->click();
    EXPECT_EQ(MessageTexts().back(), "没有可用数据！");
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
