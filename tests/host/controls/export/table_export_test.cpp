#include "host/controls/export/table_export.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include "support/case_name.h"
#include "support/scripted_dialogs.h"

namespace zel {
namespace {

class ChooseExportTargetTest : public ::testing::Test {
protected:
    std::optional<ExportTarget> Choose(const std::string& suggestedName) {
        return ChooseExportTarget(
            [this](QDialog& dialog) { return dialogs.ShowModal(dialog, nullptr); }, nullptr,
            suggestedName);
    }

    // Picks the filter at the index, then types the name and saves; picking a filter after
    // typing would let the dialog change the typed extension itself.
    void QueueSave(const QString& name, int filter) {
        dialogs.QueueModal([this, name, filter](QDialog& shown) {
            auto& dialog = dynamic_cast<QFileDialog&>(shown);
            dialog.setDirectory(dir.path());
            dialog.selectNameFilter(dialog.nameFilters().at(filter));
            dialog.selectFile(name);
            return static_cast<int>(QDialog::Accepted);
        });
    }

    std::string InDir(const char* name) const {
        return QDir(dir.path()).filePath(name).toStdString();
    }

    test::ScriptedDialogs dialogs;
    QTemporaryDir dir;
};

TEST_F(ChooseExportTargetTest, OffersTheThreeFormatsInASaveDialogOfItsOwn) {
    QStringList filters;
    QString suggested;
    bool saving = false;
    bool ownDialog = false;
    dialogs.QueueModal([&](QDialog& shown) {
        auto& dialog = dynamic_cast<QFileDialog&>(shown);
        filters = dialog.nameFilters();
        suggested = QFileInfo(dialog.selectedFiles().value(0)).fileName();
        saving = dialog.acceptMode() == QFileDialog::AcceptSave;
        ownDialog = dialog.testOption(QFileDialog::DontUseNativeDialog);
        return static_cast<int>(QDialog::Rejected);
    });
    EXPECT_FALSE(Choose("仓库存货对照"));
    ASSERT_EQ(filters.size(), 3);
    EXPECT_TRUE(filters[0].contains("(*.csv)"));
    EXPECT_TRUE(filters[1].contains("(*.xlsx)"));
    EXPECT_TRUE(filters[2].contains("(*.pdf)"));
    EXPECT_EQ(suggested, "仓库存货对照");
    EXPECT_TRUE(saving);
    EXPECT_TRUE(ownDialog);
    EXPECT_EQ(dialogs.ModalCount(), 1);
}

struct ChoiceCase {
    const char* typed;
    int filter;
    const char* file;
    ExportFormat format;
};

class ChooseExportTargetChoiceTest : public ChooseExportTargetTest,
                                     public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(ChooseExportTargetChoiceTest, TheFilterDecidesTheFormatAndTheExtension) {
    QueueSave(QString::fromUtf8(GetParam().typed), GetParam().filter);
    const auto target = Choose("对照");
    ASSERT_TRUE(target);
    EXPECT_EQ(target->path, InDir(GetParam().file));
    EXPECT_EQ(target->format, GetParam().format);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, ChooseExportTargetChoiceTest,
    ::testing::Values(ChoiceCase{"对照", 0, "对照.csv", ExportFormat::kCsv},
                      ChoiceCase{"对照", 1, "对照.xlsx", ExportFormat::kXlsx},
                      ChoiceCase{"对照", 2, "对照.pdf", ExportFormat::kPdf},
                      ChoiceCase{"report.XLSX", 1, "report.XLSX", ExportFormat::kXlsx},
                      ChoiceCase{"report.csv", 1, "report.csv.xlsx", ExportFormat::kXlsx}),
    [](const auto& info) {
        return ::zel::test::CaseName(std::to_string(info.index) + " " + info.param.file,
                                     info.index);
    });

// The dialog's own list shows its dates in the application's locale, not the desktop's (which
// may be English while the windows speak Chinese), and its kinds in the resource texts.
TEST_F(ChooseExportTargetTest, TheListOfFilesSpeaksTheApplicationsLanguage) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    QString date;
    QString kind;
    QDateTime modified;
    dialogs.QueueModal([&](QDialog& shown) {
        auto& dialog = dynamic_cast<QFileDialog&>(shown);
        dialog.setDirectory(dir.path());
        const auto* view = dialog.findChild<QTreeView*>("treeView");
        const QAbstractItemModel* model = view->model();
        const QModelIndex root = view->rootIndex();
        EXPECT_TRUE(QTest::qWaitFor([&] { return model->rowCount(root) > 0; }));
        date = model->index(0, 3, root).data().toString();
        kind = model->index(0, 2, root).data().toString();
        modified = QFileInfo(QDir(dir.path()).filePath("folder")).lastModified();
        return static_cast<int>(QDialog::Rejected);
    });
    EXPECT_FALSE(Choose("list"));
    EXPECT_EQ(date.toStdString(), QLocale().toString(modified, QLocale::ShortFormat).toStdString());
    EXPECT_EQ(kind.toStdString(), "文件夹");
    QLocale::setDefault(before);
}

TEST_F(ChooseExportTargetTest, CancelChoosesNothing) {
    dialogs.QueueModal([](QDialog& dialog) {
        dynamic_cast<QFileDialog&>(dialog).selectFile("a.csv");
        return static_cast<int>(QDialog::Rejected);
    });
    EXPECT_EQ(Choose("a"), std::nullopt);
}

// The question names the file with its suffix, the one that would be lost; no picks the name
// again, yes takes it.
TEST_F(ChooseExportTargetTest, AnExistingFileIsReplacedOnlyWhenTheUserSaysSo) {
    QFile existing(QString::fromStdString(InDir("old.csv")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    QString asked;
    const auto answer = [&](int button) {
        dialogs.QueueModal([&asked, button](QDialog& dialog) {
            asked = dynamic_cast<QMessageBox&>(dialog).text();
            return button;
        });
    };
    QueueSave("old", 0);
    answer(QMessageBox::No);
    QueueSave("new", 0);
    auto target = Choose("old");
    ASSERT_TRUE(target);
    EXPECT_EQ(target->path, InDir("new.csv"));
    EXPECT_TRUE(asked.contains(QString::fromStdString(InDir("old.csv"))));

    QueueSave("old", 0);
    answer(QMessageBox::Yes);
    target = Choose("old");
    ASSERT_TRUE(target);
    EXPECT_EQ(target->path, InDir("old.csv"));
    EXPECT_EQ(dialogs.ModalCount(), 5);
}

// The file is named after what it lists: the title, and the warehouse when the list names one.
TEST(ExportFileNameTest, NamesTheTitleAndTheWarehouseAsAFileNameCanHoldThem) {
    const struct {
        const char* warehouse;
        const char* name;
    } cases[] = {
        {"", "仓库存货对照表"},
        {"01 成品库", "仓库存货对照表 01 成品库"},
        {"全部仓库", "仓库存货对照表 全部仓库"},
        {"02 原/辅:料*库", "仓库存货对照表 02 原_辅_料_库"},
    };
    for (const auto& c : cases) {
        PrintData data;
        data.title = "仓库存货对照表";
        data.warehouse = c.warehouse;
        EXPECT_EQ(ExportFileName(data), c.name) << c.warehouse;
    }
}

TEST(WriteTableFileTest, APdfIsNotWrittenHere) {
    QTemporaryDir dir;
    const std::string path = QDir(dir.path()).filePath("a.pdf").toStdString();
    PrintData data;
    data.headers = {"A"};
    std::string error;
    EXPECT_FALSE(WriteTableFile({path, ExportFormat::kPdf}, data, "T", "1", error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(path)));
}

TEST(WriteTableFileTest, AnUnwritablePathFailsWithAMessageNamingIt) {
    PrintData data;
    data.headers = {"A"};
    data.cells = {"1"};
    for (const ExportFormat format : {ExportFormat::kCsv, ExportFormat::kXlsx}) {
        const std::string path = "/proc/no-such-folder/a.file";
        std::string error;
        EXPECT_FALSE(WriteTableFile({path, format}, data, "N", "0", error));
        EXPECT_NE(error.find(path), std::string::npos) << error;
    }
}

}  // namespace
}  // namespace zel
