#include "import/frm_import.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "component/import/import_test_base.h"
#include "host/controls/import/xlsx_fixture.h"
#include "host/controls/progress_strip.h"
#include "import/import_command.h"
#include "import/import_mapping_bar.h"

namespace korvel::test {
namespace {

// Warehouse 01 holds A001 (top 10) and A002 (top 20); the file changes one, leaves one, adds one
// and names an unknown warehouse and a number that is none.
class FrmImportTest : public ImportTestBase {
protected:
    void SetUp() override {
        ImportTestBase::SetUp();
        database.AddCorrespondence("01", "A001", {{"iTopSum", 10}});
        database.AddCorrespondence("01", "A002", {{"iTopSum", 20}});
        Bind();
        MainWindowCommands commands;
        commands.importRows = ImportCommand();
        Open(std::move(commands));
        path = WriteCsv({"cWhCode,cInvCode,iTopSum,iSafeNum", "01,A001,12.125,1", "01,A002,20,",
                         "01,A003,5,", "09,A004,1,", "01,A005,abc,"});
    }

    std::unique_ptr<FrmImport> OpenImport(const std::string& file) {
        auto import = std::make_unique<FrmImport>(
            context, ImportSource{file, zel::TableFormat::kAuto, ""}, "", [this] { ++refreshed; },
            window.get());
        import->Query();
        return import;
    }

    std::string TopSum(const std::string& item) {
        return database
            .Scalar("select iTopSum from WhInvContrapose where cWhCode='01' and cInvCode='" + item +
                    "'")
            .ToString();
    }

    // The verdict and item of each grid row, top to bottom.
    static std::vector<std::string> Shown(FrmImport& import) {
        std::vector<std::string> rows;
        for (int row = 1; row < import.Grid().Rows(); ++row) {
            rows.push_back(import.Grid().TextMatrix(row, 2) + " " +
                           import.Grid().TextMatrix(row, 4));
        }
        return rows;
    }

    // Answers the next file dialog with a file.
    void ChooseFile(const std::string& file) {
        database.Dialogs().QueueModal([file](QDialog& shown) {
            auto& dialog = dynamic_cast<QFileDialog&>(shown);
            dialog.selectFile(QString::fromStdString(file));
            return static_cast<int>(QDialog::Accepted);
        });
    }

    std::string path;
    int refreshed = 0;
};

TEST_F(FrmImportTest, TheMenuCommandAsksForTheFileThenPreviewsItsRows) {
    ChooseFile(path);
    std::string counts;
    database.Dialogs().QueueModal([&](QDialog& shown) {
        auto& import = dynamic_cast<FrmImport&>(shown);
        import.Query();
        counts = import.Count().text().toStdString();
        EXPECT_FALSE(import.Detected().text().isEmpty());
        EXPECT_EQ(import.MappingBar().ColumnCount(), 4U);
        return 0;
    });
    QAction* item = window->Menus().findChild<QAction*>("mImport");
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->isEnabled());
    item->trigger();
    EXPECT_EQ(database.Dialogs().ModalCount(), 2);
    EXPECT_EQ(counts, "新增1行，修改1行，不变1行，拒绝2行");
    EXPECT_EQ(TopSum("A001"), "10") << "opening the window writes nothing";
}

// A row of inline texts, as a sheet's XML holds it.
std::string SheetRow(const std::vector<std::string>& cells) {
    std::string row = "<row>";
    for (const std::string& cell : cells) {
        row += "<c t=\"inlineStr\"><is><t>" + cell + "</t></is></c>";
    }
    return row + "</row>";
}

TEST_F(FrmImportTest, AWorkbookOfSeveralSheetsAsksWhichOneToImport) {
    const std::string book = folder.filePath("book.xlsx").toStdString();
    ASSERT_TRUE(zel::WriteZip(
        book, zel::WorkbookParts({{"说明", SheetRow({"本工作簿的第二页是上限"})},
                                  {"上限", SheetRow({"cWhCode", "cInvCode", "iTopSum"}) +
                                               SheetRow({"01", "A001", "11"})}})));
    ChooseFile(book);
    database.Dialogs().QueueModal([](QDialog& shown) {
        auto& dialog = dynamic_cast<QInputDialog&>(shown);
        EXPECT_EQ(dialog.comboBoxItems(), (QStringList{"说明", "上限"}));
        dialog.setTextValue("上限");
        return static_cast<int>(QDialog::Accepted);
    });
    std::size_t changed = 0;
    std::string detected;
    database.Dialogs().QueueModal([&](QDialog& shown) {
        auto& import = dynamic_cast<FrmImport&>(shown);
        import.Query();
        changed = import.Preview().Count(ImportVerdict::kChanged);
        detected = import.Detected().text().toStdString();
        return 0;
    });
    window->ExecCommand("Import");
    EXPECT_EQ(database.Dialogs().ModalCount(), 3);
    EXPECT_EQ(changed, 1U);
    EXPECT_NE(detected.find("上限"), std::string::npos) << detected;
}

TEST_F(FrmImportTest, F1OpensTheGuideAtTheImportSection) {
    const auto import = OpenImport(path);
    import->show();
    QTest::keyClick(import.get(), Qt::Key_F1);
    const auto* guide = import->findChild<QTextBrowser*>("HelpViewer", Qt::FindDirectChildrenOnly);
    ASSERT_NE(guide, nullptr);
    EXPECT_EQ(guide->source().fragment().toStdString(), "import");
}

TEST_F(FrmImportTest, ACancelledFileDialogOpensNoWindow) {
    window->ExecCommand("Import");
    EXPECT_EQ(database.Dialogs().ModalCount(), 1);
}

TEST_F(FrmImportTest, TheKindFilterShowsTheRowsOfOneVerdictWithTheirChanges) {
    const auto import = OpenImport(path);
    EXPECT_EQ(Shown(*import), (std::vector<std::string>{"修改 A001", "不变 A002", "新增 A003",
                                                        "拒绝 A004", "拒绝 A005"}));
    const struct {
        int choice;
        std::vector<std::string> shown;
    } cases[] = {{1, {"新增 A003"}},
                 {2, {"修改 A001"}},
                 {3, {"不变 A002"}},
                 {4, {"拒绝 A004", "拒绝 A005"}},
                 {0, {"修改 A001", "不变 A002", "新增 A003", "拒绝 A004", "拒绝 A005"}}};
    for (const auto& c : cases) {
        import->KindFilter().setCurrentIndex(c.choice);
        EXPECT_EQ(Shown(*import), c.shown) << c.choice;
        EXPECT_EQ(import->Count().text().toStdString(), "新增1行，修改1行，不变1行，拒绝2行");
    }
    import->SortByColumn(4);
    import->SortByColumn(4);
    EXPECT_EQ(Shown(*import), (std::vector<std::string>{"拒绝 A005", "拒绝 A004", "新增 A003",
                                                        "不变 A002", "修改 A001"}))
        << "the second click on a heading sorts the other way";
    import->KindFilter().setCurrentIndex(2);
    EXPECT_EQ(import->Grid().TextMatrix(1, 1), "2") << "the file's row, its header being row 1";
    EXPECT_EQ(import->Grid().TextMatrix(1, 5),
              Caption("iTopSum") + " 10 → 12.125；" + Caption("iSafeNum") + " （空） → 1");
    import->KindFilter().setCurrentIndex(4);
    EXPECT_FALSE(import->Grid().TextMatrix(1, 6).empty()) << "a refused row says why";
}

TEST_F(FrmImportTest, ApplyingTheValidRowsWritesThemRefreshesTheMainGridAndSaysHowMany) {
    const auto import = OpenImport(path);
    import->ApplyValidButton().click();
    EXPECT_EQ(TopSum("A001"), "12.125");
    EXPECT_EQ(TopSum("A003"), "5");
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(MessageTexts().back(), "导入完成：新增1行，修改1行，跳过2行。");
    EXPECT_EQ(import->Count().text().toStdString(), "新增0行，修改0行，不变3行，拒绝2行")
        << "the preview is read again";
    EXPECT_TRUE(EditLockIsFree("other"));
}

// Nothing is written: the refused rows hold back an all-or-nothing import, another user's edit
// lock holds back any, and so does a cancel.
TEST_F(FrmImportTest, WhatStopsAnApplyWritesNothing) {
    const struct {
        const char* name;
        ImportApplyMode mode;
        bool otherHoldsTheLock;
        bool cancel;
        std::string message;
    } cases[] = {
        {"refused rows", ImportApplyMode::kAllOrNothing, false, false,
         "有2行被拒绝，“全部导入”不写入任何行。请改正后再导入，或选“只导入有效行”。"},
        {"lock", ImportApplyMode::kValidRowsOnly, true, false,
         Text("Zel.AA.WHINVCONTRAPOSE.IMPORT_APPLY.locked")},
        {"cancel", ImportApplyMode::kValidRowsOnly, false, true, "已取消导入，没有写入任何行。"},
    };
    for (const auto& c : cases) {
        const auto import = OpenImport(path);
        std::optional<Session> other;
        if (c.otherHoldsTheLock) {
            other = HoldEditLock("other");
        }
        if (c.cancel) {
            QTimer::singleShot(0, import.get(), [&] { import->Progress().CancelButton().click(); });
        }
        import->Apply(c.mode);
        EXPECT_EQ(TopSum("A001"), "10") << c.name;
        EXPECT_EQ(TopSum("A003"), "") << c.name;
        EXPECT_EQ(refreshed, 0) << c.name;
        EXPECT_EQ(MessageTexts().back(), c.message) << c.name;
        EXPECT_EQ(import->Preview().Count(ImportVerdict::kChanged), 1U) << c.name;
    }
}

TEST_F(FrmImportTest, ACancelledPreviewListsNothingAndOffersNoWrite) {
    std::vector<std::string> lines{"cWhCode,cInvCode,iTopSum"};
    for (int row = 0; row < 3000; ++row) {
        lines.push_back("01,A00" + std::to_string(row % 8 + 1) + "," + std::to_string(row));
    }
    FrmImport import(context,
                     ImportSource{WriteCsv(lines, "long.csv"), zel::TableFormat::kAuto, ""}, "", {},
                     window.get());
    QTimer::singleShot(0, &import, [&] { import.Progress().CancelButton().click(); });
    import.Query();
    EXPECT_EQ(import.Preview().status, ImportPreviewResult::Status::kCancelled);
    EXPECT_EQ(import.Count().text().toStdString(), "预览已取消，没有读完文件。");
    EXPECT_EQ(import.Grid().Rows(), 1);
    EXPECT_FALSE(import.ApplyValidButton().isEnabled());
}

TEST_F(FrmImportTest, AllOrNothingWritesAFileWithoutRefusedRows) {
    const auto import =
        OpenImport(WriteCsv({"cWhCode,cInvCode,iTopSum", "01,A001,11", "01,A003,3"}, "valid.csv"));
    import->ApplyAllButton().click();
    EXPECT_EQ(TopSum("A001"), "11");
    EXPECT_EQ(TopSum("A003"), "3");
    EXPECT_EQ(MessageTexts().back(), "导入完成：新增1行，修改1行，跳过0行。");
}

TEST_F(FrmImportTest, ACorrectedMappingPreviewsAgainAndIsRememberedOnceApplied) {
    const auto import = OpenImport(path);
    import->MappingBar().FieldChoice(2).setCurrentIndex(0);
    import->MappingBar().FieldChoice(3).setCurrentIndex(0);
    EXPECT_EQ(import->Preview().Count(ImportVerdict::kChanged), 0U) << "the numbers are ignored";
    EXPECT_EQ(import->Preview().Count(ImportVerdict::kRefused), 1U);
    import->ApplyValidButton().click();
    EXPECT_EQ(TopSum("A001"), "10");
    const auto again = OpenImport(path);
    EXPECT_EQ(again->MappingBar().Mapping().FieldOf(2), nullptr);
    EXPECT_EQ(again->MappingBar().Mapping().FieldOf(3), nullptr);
    EXPECT_EQ(again->MappingBar().Mapping().FieldOf(1), FieldNamed("cInvCode"));
}

TEST_F(FrmImportTest, TheRefusedRowsAreSavedWithTheirReasonsToTheFileChosen) {
    const auto import = OpenImport(path);
    const std::string saved = folder.filePath("refused.csv").toStdString();
    ChooseFile(saved);
    import->SaveRefusedButton().click();
    QFile file(QString::fromStdString(saved));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << lines.join('|').toStdString();
    EXPECT_TRUE(lines[0].contains(
        QString::fromStdString(Text("Zel.AA.WHINVCONTRAPOSE.IMPORT.reason_column"))));
    EXPECT_TRUE(lines[1].startsWith("09,A004,1,"));
    EXPECT_TRUE(lines[2].startsWith("01,A005,abc,"));
}

TEST_F(FrmImportTest, ThePreviewExportsAsTheOtherLists) {
    const auto import = OpenImport(path);
    import->KindFilter().setCurrentIndex(4);
    const QString exported = folder.filePath("preview.csv");
    database.Dialogs().QueueModal([&](QDialog& shown) {
        auto& dialog = dynamic_cast<QFileDialog&>(shown);
        dialog.selectNameFilter(dialog.nameFilters().at(0));
        dialog.selectFile(exported);
        return static_cast<int>(QDialog::Accepted);
    });
    import->findChild<QPushButton*>("SaveFileButton")->click();
    QFile file(exported);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains("A004") && text.contains("A005")) << text.toStdString();
    EXPECT_FALSE(text.contains("A001")) << "only the rows shown";
}

TEST_F(FrmImportTest, AFileThatCannotBeReadSaysWhereAndOffersNoWrite) {
    const auto import =
        OpenImport(WriteCsv({"cWhCode,cInvCode,iTopSum", "01,A001,11", "01,A003,\"3"}, "bad.csv"));
    EXPECT_EQ(import->Preview().status, ImportPreviewResult::Status::kReadFailed);
    EXPECT_EQ(MessageTexts().back(), import->Preview().message);
    EXPECT_NE(MessageTexts().back().find('3'), std::string::npos) << "names the row";
    EXPECT_FALSE(import->ApplyAllButton().isEnabled());
    EXPECT_FALSE(import->ApplyValidButton().isEnabled());
    EXPECT_EQ(import->Grid().Rows(), 1);
}

}  // namespace
}  // namespace korvel::test
