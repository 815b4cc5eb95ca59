#include "host/controls/print/print_control.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>

#include "host/controls/print/print_document.h"
#include "host/controls/print/print_job.h"
#include "host/controls/print/print_page_setup_dialog.h"
#include "host/controls/print/print_page_view.h"
#include "host/controls/print/print_preview_dialog.h"
#include "support/scripted_dialogs.h"

namespace zel {
namespace {

std::string DataXml(int rows) {
    std::string xml =
        "<?xml version='1.0' standalone='yes' ?><数据><Title>仓库存货对照表</Title>"
        "<Account>001</Account><User code=\"u1\">张三</User><Date>2026-03-31</Date>"
        "<SerialNumbers>1</SerialNumbers><Header><C align=\"right\">序号</C><C>存货编码</C>"
        "<C>存货名称</C><C align=\"right\">最高库存</C></Header><Rows>";
    for (int row = 1; row <= rows; ++row) {
        const std::string n = std::to_string(row);
        xml += "<R><C>" + n + "</C><C>A" + n + "</C><C>螺钉</C><C>" + n + ".00</C></R>";
    }
    return xml + "</Rows></数据>";
}

// pdfinfo's page count of the file; -1 when it cannot be read.
int PdfPages(const QString& path) {
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {path});
    if (!pdfinfo.waitForFinished() || pdfinfo.exitCode() != 0) {
        return -1;
    }
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                           .match(QString::fromUtf8(pdfinfo.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The first page of the PDF file as a picture at 36 dots an inch; null when it cannot be drawn.
QImage FirstPdfPage(const QString& path, const QString& folder) {
    const QString stem = folder + QStringLiteral("/page");
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("36"),
                    QStringLiteral("-singlefile"), path, stem});
    if (!pdftoppm.waitForFinished() || pdftoppm.exitCode() != 0) {
        return {};
    }
    return QImage(stem + QStringLiteral(".png"));
}

bool WhiteBetween(const QImage& page, int fromX, int toX) {
    for (int y = 0; y < page.height(); ++y) {
        for (int x = fromX; x < toX; ++x) {
            if (qGray(page.pixel(x, y)) < 200) {
                return false;
            }
        }
    }
    return true;
}

class PrintControlTest : public ::testing::Test {
protected:
    PrintControlTest() { EXPECT_EQ(Load(300), 0); }

    int Load(int rows) {
        return control.SetDataStyleXML(DataXml(rows), false, PrintStyle{}.ToXml(), false,
                                       "WhInvContrapose");
    }

    // The next print dialog prints to a PDF file of that name.
    void QueuePrintToPdf(const QString& path, int fromPage = 0, int toPage = 0) {
        dialogs.QueueModal([=](QDialog& dialog) {
            QPrinter& printer = *dynamic_cast<QPrintDialog&>(dialog).printer();
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            if (fromPage > 0) {
                printer.setPrintRange(QPrinter::PageRange);
                printer.setFromTo(fromPage, toPage);
            }
            return static_cast<int>(QDialog::Accepted);
        });
    }

    int PageCount() { return PrintDocument(*control.Data(), control.Style()).PageCount(); }

    QString Pdf() const { return folder.filePath(QStringLiteral("list.pdf")); }

    QTemporaryDir folder;
    test::ScriptedDialogs dialogs;
    QWidget owner;
    PrintControl control{[this](QDialog& dialog) { return dialogs.ShowModal(dialog, &owner); },
                         &owner};
};

TEST_F(PrintControlTest, TakesDataAndStyleOnlyWhenBothAreRead) {
    EXPECT_EQ(control.Data()->RowCount(), 300U);
    EXPECT_EQ(control.StyleName(), "WhInvContrapose");
    EXPECT_NE(control.SetDataStyleXML("<x/>", false, PrintStyle{}.ToXml(), false, "a"), 0);
    EXPECT_NE(control.SetDataStyleXML(DataXml(1), false, "<数据/>", false, "a"), 0);
    EXPECT_NE(control.SetDataStyleXML("/no/such/file", true, PrintStyle{}.ToXml(), false, "a"), 0);
    EXPECT_EQ(control.Data()->RowCount(), 300U);
    EXPECT_EQ(control.StyleName(), "WhInvContrapose");
}

TEST_F(PrintControlTest, ReadsDataAndStyleFromFiles) {
    const QString data = folder.filePath(QStringLiteral("data.xml"));
    const QString style = folder.filePath(QStringLiteral("style.xml"));
    PrintStyle landscape;
    landscape.orientation = QPageLayout::Landscape;
    for (const auto& [path, text] : {std::pair{data, DataXml(7)}, {style, landscape.ToXml()}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
    }
    EXPECT_EQ(control.SetDataStyleXML(data.toStdString(), true, style.toStdString(), true, "s"), 0);
    EXPECT_EQ(control.Data()->RowCount(), 7U);
    EXPECT_EQ(control.Style(), landscape);
}

TEST_F(PrintControlTest, ThePreviewPagesAndZoomsThroughItsButtons) {
    const int pages = PageCount();
    ASSERT_GT(pages, 3);
    int shownPage = -1;
    dialogs.QueueModal([&](QDialog& dialog) {
        auto& preview = dynamic_cast<PrintPreviewDialog&>(dialog);
        auto click = [&](const char* name) {
            preview.findChild<QToolButton*>(QString::fromLatin1(name))->click();
        };
        EXPECT_EQ(preview.Page(), 0);
        EXPECT_EQ(preview.findChild<QSpinBox*>(QStringLiteral("pageNumber"))->maximum(), pages);
        click("next");
        click("next");
        EXPECT_EQ(preview.Page(), 2);
        click("previous");
        EXPECT_EQ(preview.Page(), 1);
        click("last");
        EXPECT_EQ(preview.Page(), pages - 1);
        click("next");
        EXPECT_EQ(preview.Page(), pages - 1);
        preview.findChild<QSpinBox*>(QStringLiteral("pageNumber"))->setValue(3);
        EXPECT_EQ(preview.Page(), 2);
        click("first");
        shownPage = preview.Page();

        const double fitted = preview.Zoom();
        click("zoomIn");
        EXPECT_DOUBLE_EQ(preview.Zoom(), fitted * PrintPreviewDialog::kZoomStep);
        click("zoomOut");
        click("zoomOut");
        EXPECT_LT(preview.Zoom(), fitted);
        click("fit");
        EXPECT_DOUBLE_EQ(preview.Zoom(), fitted);
        return 0;
    });
    control.PrintPreview();
    EXPECT_EQ(dialogs.ModalCount(), 1);
    EXPECT_EQ(shownPage, 0);
}

TEST_F(PrintControlTest, ThePreviewBelongsToTheOwnerWindow) {
    QWidget other;
    QWidget* parent = nullptr;
    dialogs.QueueModal([&](QDialog& dialog) {
        parent = dialog.parentWidget();
        return 0;
    });
    control.PrintPreview();
    EXPECT_EQ(parent, &owner);
    control.SetOwner(static_cast<long long>(other.winId()));
    dialogs.QueueModal([&](QDialog& dialog) {
        parent = dialog.parentWidget();
        return 0;
    });
    control.PrintPreview();
    EXPECT_EQ(parent, &other);
}

TEST_F(PrintControlTest, ThePreviewPaintsOnlyThePagesLookedAt) {
    dialogs.QueueModal([&](QDialog& dialog) {
        auto& preview = dynamic_cast<PrintPreviewDialog&>(dialog);
        EXPECT_EQ(preview.View().CachedPages(), 0U);
        preview.View().grab();
        EXPECT_EQ(preview.View().CachedPages(), 1U);
        for (int page = 1; page < 6; ++page) {
            preview.ShowPage(page);
            preview.View().grab();
        }
        EXPECT_EQ(preview.View().CachedPages(), PrintPageView::kCachedPages);
        return 0;
    });
    control.PrintPreview();
}

TEST_F(PrintControlTest, PrintsEveryPageToAPdfFile) {
    QueuePrintToPdf(Pdf());
    EXPECT_EQ(control.DoPrint(), 0);
    EXPECT_EQ(PdfPages(Pdf()), PageCount());
}

TEST_F(PrintControlTest, APrintedPageKeepsItsMarginsAndIsNotCut) {
    PrintStyle style;
    style.marginsMm = QMarginsF(20, 20, 20, 20);
    std::string data = DataXml(40);
    data.replace(data.find("螺钉"), 6, std::string(300, 'W'));
    ASSERT_EQ(control.SetDataStyleXML(data, false, style.ToXml(), false, "s"), 0);
    QueuePrintToPdf(Pdf());
    ASSERT_EQ(control.DoPrint(), 0);
    const QImage page = FirstPdfPage(Pdf(), folder.path());
    ASSERT_FALSE(page.isNull());
    // 20 mm at 36 dots an inch are 28 dots; the table reaches within a few dots of them.
    const int margin = 28;
    EXPECT_TRUE(WhiteBetween(page, 0, margin - 2));
    EXPECT_TRUE(WhiteBetween(page, page.width() - margin + 2, page.width()));
    EXPECT_FALSE(WhiteBetween(page, page.width() - margin - 4, page.width() - margin + 2));
}

TEST_F(PrintControlTest, PrintsTheChosenPages) {
    QueuePrintToPdf(Pdf(), 2, 3);
    EXPECT_EQ(control.DoPrint(), 0);
    EXPECT_EQ(PdfPages(Pdf()), 2);
}

TEST_F(PrintControlTest, ACancelledPrintDialogPrintsNothing) {
    dialogs.QueueModal([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
    EXPECT_NE(control.DoPrint(), 0);
    EXPECT_FALSE(QFile::exists(Pdf()));
}

TEST_F(PrintControlTest, ThePreviewsPrintButtonPrints) {
    dialogs.QueueModal([&](QDialog& preview) {
        QueuePrintToPdf(Pdf());
        preview.findChild<QToolButton*>(QStringLiteral("print"))->click();
        return 0;
    });
    control.PrintPreview();
    EXPECT_EQ(dialogs.ModalCount(), 2);
    EXPECT_EQ(PdfPages(Pdf()), PageCount());
}

// The text of the PDF file's first page.
QString FirstPdfPageText(const QString& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                     QStringLiteral("1"), path, QStringLiteral("-")});
    return pdftotext.waitForFinished() ? QString::fromUtf8(pdftotext.readAllStandardOutput())
                                       : QString();
}

// A printed list says under its title which warehouse it lists; a list of none says nothing.
TEST_F(PrintControlTest, APrintedPageNamesTheWarehouseOfTheList) {
    PrintData data = *control.Data();
    const QString none = folder.filePath(QStringLiteral("none.pdf"));
    ASSERT_TRUE(WritePrintPdf(PrintDocument(data, PrintStyle{}), none.toStdString()));
    EXPECT_FALSE(FirstPdfPageText(none).contains(QString::fromUtf8("仓库：")))
        << FirstPdfPageText(none).toStdString();
    data.warehouse = "01 成品库";
    ASSERT_TRUE(WritePrintPdf(PrintDocument(data, PrintStyle{}), Pdf().toStdString()));
    EXPECT_TRUE(FirstPdfPageText(Pdf()).contains(QString::fromUtf8("仓库：01 成品库")))
        << FirstPdfPageText(Pdf()).toStdString();
}

TEST_F(PrintControlTest, TheWriterPutsEveryPageIntoThePdf) {
    ASSERT_EQ(Load(1000), 0);
    const PrintDocument document(*control.Data(), control.Style());
    ASSERT_TRUE(WritePrintPdf(document, Pdf().toStdString()));
    EXPECT_EQ(PdfPages(Pdf()), document.PageCount());
    EXPECT_FALSE(WritePrintPdf(document, "/no/such/folder/list.pdf"));
}

TEST_F(PrintControlTest, ACancelledPageSetupChangesNothing) {
    const PrintStyle before = control.Style();
    dialogs.QueueModal([](QDialog& dialog) {
        dialog.findChild<QRadioButton*>(QStringLiteral("landscape"))->setChecked(true);
        return static_cast<int>(QDialog::Rejected);
    });
    EXPECT_EQ(control.PageSetup(), -1);
    EXPECT_EQ(control.Style(), before);
}

TEST_F(PrintControlTest, ThePageSetupChangesTheStyle) {
    dialogs.QueueModal([](QDialog& dialog) {
        dialog.findChild<QRadioButton*>(QStringLiteral("landscape"))->setChecked(true);
        dialog.findChild<QSpinBox*>(QStringLiteral("fontSize"))->setValue(12);
        auto* columns = dialog.findChild<QListWidget*>(QStringLiteral("columns"));
        EXPECT_EQ(columns->count(), 4);
        columns->item(2)->setCheckState(Qt::Unchecked);
        dialog.findChild<QCheckBox*>(QStringLiteral("titleOnEveryPage"))->setChecked(true);
        return static_cast<int>(QDialog::Accepted);
    });
    EXPECT_EQ(control.PageSetup(), 0);
    EXPECT_TRUE(control.Style().titleOnEveryPage);
    EXPECT_EQ(control.Style().orientation, QPageLayout::Landscape);
    EXPECT_EQ(control.Style().fontSize, 12);
    EXPECT_FALSE(control.Style().Prints("存货名称"));
    EXPECT_TRUE(control.Style().Prints("存货编码"));
}

TEST_F(PrintControlTest, SaveStyleCarriesTheStyleInItsTwoValues) {
    PrintStyle style;
    style.fontSize = 14;
    style.columns = {{"存货名称", false}};
    ASSERT_EQ(control.SetDataStyleXML(DataXml(2), false, style.ToXml(), false, "s"), 0);
    QSignalSpy saved(&control, &PrintControl::SaveStyle);
    control.TriggerEvent(1);
    EXPECT_EQ(saved.count(), 0);
    control.TriggerEvent(0);
    ASSERT_EQ(saved.count(), 1);
    const QString joined = saved[0][0].toString() + saved[0][1].toString();
    EXPECT_EQ(PrintStyle::Parse(joined.toStdString()), style);
}

TEST_F(PrintControlTest, ACancelledExportWritesNothing) {
    int status = 0;
    control.ExportToFile(status, "", "", "", "");
    EXPECT_NE(status, 0);
}

// The file dialog's filter decides the writer: a table file holds every row, a PDF every page.
TEST_F(PrintControlTest, ExportsTheChosenFormatToTheChosenFile) {
    const struct {
        int filter;
        const char* name;
    } cases[] = {{0, "list.csv"}, {1, "list.xlsx"}, {2, "list.pdf"}};
    for (const auto& exported : cases) {
        const QString path = folder.filePath(QString::fromLatin1(exported.name));
        dialogs.QueueModal([&](QDialog& shown) {
            auto& dialog = dynamic_cast<QFileDialog&>(shown);
            dialog.selectNameFilter(dialog.nameFilters().at(exported.filter));
            dialog.selectFile(path);
            return static_cast<int>(QDialog::Accepted);
        });
        int status = -1;
        control.ExportToFile(status, "N,T,T,N", "0,20,20,2", "", "");
        EXPECT_EQ(status, 0) << exported.name;
        ASSERT_TRUE(QFile::exists(path)) << exported.name;
    }
    QFile csv(folder.filePath(QStringLiteral("list.csv")));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll().count('\n'), 301);
    EXPECT_EQ(PdfPages(folder.filePath(QStringLiteral("list.pdf"))), PageCount());
}

TEST(PrintControlWithoutDataTest, DoesNothingBeforeItHasData) {
    test::ScriptedDialogs dialogs;
    PrintControl control([&](QDialog& dialog) { return dialogs.ShowModal(dialog, nullptr); },
                         nullptr);
    control.PrintPreview();
    EXPECT_NE(control.DoPrint(), 0);
    int status = 0;
    control.ExportToFile(status, "", "", "", "");
    EXPECT_NE(status, 0);
    EXPECT_EQ(dialogs.ModalCount(), 0);
}

}  // namespace
}  // namespace zel
