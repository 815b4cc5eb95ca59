#include "mainwindow/key_column.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvel::test {
namespace {

TEST(KeyColumn, TheFirstHeaderThatIsTheCaptionWhateverItsCase) {
    const struct {
        std::vector<const char*> headers;
        const char* caption;
        std::optional<int> column;
    } cases[] = {
        {{"序号", "存货编码", "存货名称"}, "存货编码", 1},
        {{"序号", "名称", "Inv Code"}, "inv CODE", 2},
        {{"序号", "Ärtikel", "Code"}, "ärtikel", 1},
        {{"存货编码", "存货编码"}, "存货编码", 0},
        {{"序号", "存货编码 "}, "存货编码", std::nullopt},
        {{"序号", "名称"}, "存货编码", std::nullopt},
    };
    for (const auto& c : cases) {
        zel::FlexGrid grid;
        grid.SetCols(static_cast<int>(c.headers.size()));
        grid.SetRows(2);
        for (int col = 0; col < grid.Cols(); ++col) {
            grid.SetTextMatrix(0, col, c.headers[static_cast<std::size_t>(col)]);
            grid.SetTextMatrix(1, col, c.caption);
        }
        EXPECT_EQ(KeyColumn(grid, c.caption), c.column) << c.caption;
    }
}

}  // namespace
}  // namespace korvel::test
