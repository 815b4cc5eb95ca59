#include "host/pub/modify_report_dialog.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

#include "host/objects/resource_texts.h"
#include "support/scripted_dialogs.h"

namespace zel {
namespace {

std::shared_ptr<HeldRowsRecordset> Report(int rows) {
    auto report = NewFailureReport("cWhCode,cInvCode,cErrMsg", "仓库编码,存货编码,修改失败原因");
    for (int i = 0; i < rows; ++i) {
        report->Append({"0" + std::to_string(i), "A00" + std::to_string(i), "已存在"});
    }
    return report;
}

class ModifyReportDialogTest : public ::testing::Test {
protected:
    ModifyReportDialog& Open(std::shared_ptr<HeldRowsRecordset> report) {
        dialog = std::make_unique<ModifyReportDialog>(
            std::move(report), [this](QDialog& shown) { return dialogs.ShowModal(shown, nullptr); },
            [this](const std::string& text) { told.push_back(text); });
        return *dialog;
    }

    // Picks the CSV filter and the name in the temporary folder, and saves.
    void QueueCsvTarget(const QString& name) {
        dialogs.QueueModal([this, name](QDialog& shown) {
            auto& files = dynamic_cast<QFileDialog&>(shown);
            files.setDirectory(dir.path());
            files.selectNameFilter(files.nameFilters().at(0));
            files.selectFile(name);
            return static_cast<int>(QDialog::Accepted);
        });
    }

    test::ScriptedDialogs dialogs;
    std::vector<std::string> told;
    QTemporaryDir dir;
    std::unique_ptr<ModifyReportDialog> dialog;
};

TEST_F(ModifyReportDialogTest, ShowsTheRowsUnderTheCaptionsWithTheirCount) {
    auto& shown = Open(Report(3));
    QAbstractItemModel& model = *shown.Table().model();
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_EQ(model.rowCount(), 3);
    ASSERT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), "修改失败原因");
    EXPECT_EQ(model.headerData(0, Qt::Vertical).toInt(), 1);
    EXPECT_EQ(model.index(1, 1).data().toString(), "A001");
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_EQ(shown.Table().editTriggers(), QAbstractItemView::NoEditTriggers);
    const auto* count = shown.findChild<QLabel*>("ReportCount");
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->text(), ResourceQString("Zel.AA.ARCHIVE.COMMON.rstcount", {"3"}));
}

TEST_F(ModifyReportDialogTest, CopyTakesEveryRowWithTheHeader) {
    auto& shown = Open(Report(2));
    QApplication::clipboard()->clear();
    shown.CopyButton().click();
    EXPECT_EQ(QApplication::clipboard()->text(),
              "仓库编码\t存货编码\t修改失败原因\n00\tA000\t已存在\n01\tA001\t已存在\n");
}

TEST_F(ModifyReportDialogTest, CtrlCTakesTheSelectedRowsInTheirOrder) {
    auto& shown = Open(Report(4));
    QTableView& table = shown.Table();
    auto* selection = table.selectionModel();
    const auto rows = QItemSelectionModel::Select | QItemSelectionModel::Rows;
    selection->select(table.model()->index(3, 0), rows);
    selection->select(table.model()->index(1, 0), rows);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    QApplication::sendEvent(&table, &press);
    EXPECT_EQ(QApplication::clipboard()->text(),
              "仓库编码\t存货编码\t修改失败原因\n01\tA001\t已存在\n03\tA003\t已存在\n");
}

TEST_F(ModifyReportDialogTest, TabsAndLineBreaksInACellDoNotSplitIt) {
    auto report = Report(0);
    report->Append({"01", "A\t1", "第一行\r\n第二行"});
    Open(report).CopyAll();
    EXPECT_EQ(QApplication::clipboard()->text(),
              "仓库编码\t存货编码\t修改失败原因\n01\tA 1\t第一行  第二行\n");
}

TEST_F(ModifyReportDialogTest, ExportWritesTheCaptionsAndRowsToTheChosenFile) {
    auto& shown = Open(Report(2));
    QueueCsvTarget("失败");
    shown.ExportButton().click();
    QFile file(QDir(dir.path()).filePath("失败.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()),
              QString::fromUtf8("\xEF\xBB\xBF仓库编码,存货编码,修改失败原因\r\n00,A000,已存在\r\n"
                                "01,A001,已存在\r\n"));
    EXPECT_TRUE(told.empty());
}

TEST_F(ModifyReportDialogTest, AFileThatCannotBeWrittenIsToldAndCancelWritesNothing) {
    auto& shown = Open(Report(1));
    dialogs.QueueModal([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
    shown.Export();
    EXPECT_TRUE(told.empty());
    QueueCsvTarget(QDir(dir.path()).filePath("no/such/folder/x.csv"));
    shown.Export();
    ASSERT_EQ(told.size(), 1U);
    EXPECT_NE(told[0].find("x.csv"), std::string::npos);
}

TEST_F(ModifyReportDialogTest, ALargeReportIsServedByTheModel) {
    auto& shown = Open(Report(30000));
    EXPECT_EQ(shown.Table().model()->rowCount(), 30000);
    EXPECT_EQ(shown.Table().model()->index(29999, 1).data().toString(), "A0029999");
}

}  // namespace
}  // namespace zel
