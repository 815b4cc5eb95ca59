#include "host/controls/print/print_document.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

namespace zel {
namespace {

// The name of the row named row is name.
PrintData FourColumns(std::size_t rows, std::size_t named = 0, const std::string& name = "螺钉") {
    PrintData data;
    data.title = "仓库存货对照表";
    data.headers = {"序号", "存货编码", "存货名称", "最高库存"};
    data.rightAligned = {true, false, false, true};
    for (std::size_t row = 0; row < rows; ++row) {
        for (const std::string& text :
             {std::to_string(row + 1), "A" + std::to_string(row),
              row == named ? name : std::string("螺钉"), std::string("100.00")}) {
            data.cells.push_back(text);
        }
    }
    return data;
}

std::vector<std::size_t> DataColumns(const PrintDocument& document) {
    std::vector<std::size_t> columns;
    for (const auto& column : document.Columns()) {
        columns.push_back(column.dataCol);
    }
    return columns;
}

TEST(PrintDocumentTest, PrintsTheColumnsTheStyleAndTheSerialFlagLeave) {
    PrintData data = FourColumns(3);
    PrintStyle style;
    EXPECT_EQ(DataColumns(PrintDocument(data, style)), (std::vector<std::size_t>{0, 1, 2, 3}));
    style.columns = {{"存货名称", false}, {"gone", false}};
    EXPECT_EQ(DataColumns(PrintDocument(data, style)), (std::vector<std::size_t>{0, 1, 3}));
    data.serialNumbers = false;
    const PrintDocument document(data, style);
    EXPECT_EQ(DataColumns(document), (std::vector<std::size_t>{1, 3}));
    EXPECT_FALSE(document.Columns()[0].rightAligned);
    EXPECT_TRUE(document.Columns()[1].rightAligned);
}

TEST(PrintDocumentTest, ALongTextFarDownWidensItsColumn) {
    const PrintStyle style;
    const double before = PrintDocument(FourColumns(1000), style).Columns()[2].width;
    const PrintData data = FourColumns(1000, 900, "一个很长很长很长很长很长的存货名称");
    EXPECT_GT(PrintDocument(data, style).Columns()[2].width, before * 2);
}

TEST(PrintDocumentTest, AWideTableIsScaledToThePaperNotCut) {
    const PrintData data = FourColumns(10, 0, std::string(400, 'W'));
    const PrintDocument document(data, PrintStyle{});
    EXPECT_LT(document.Layout().TableScale(), 1.0);
    EXPECT_LE(document.Layout().Metrics().tableWidth * document.Layout().TableScale(),
              document.Layout().Content().width() + 1e-6);
}

TEST(PrintDocumentTest, LandscapePaperIsWiderThanHigh) {
    PrintStyle style;
    style.orientation = QPageLayout::Landscape;
    const PrintData data = FourColumns(1);
    const PrintDocument document(data, style);
    EXPECT_GT(document.PaperSize().width(), document.PaperSize().height());
}

TEST(PrintDocumentTest, PaintsTextOntoThePage) {
    const PrintData data = FourColumns(5);
    const PrintDocument document(data, PrintStyle{});
    QImage page(document.PaperSize().toSize(), QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    document.PaintPage(painter, 0);
    painter.end();
    int dark = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            dark += qGray(page.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 200);
}

}  // namespace
}  // namespace zel
