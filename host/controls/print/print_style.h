#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zel {

// How a list is printed: the paper, its margins, the font size and which columns are printed.
// Columns are known by caption, so that a stored style still fits after columns were added,
// removed or moved; a caption the style does not name is printed.
//
//   <PrintStyle><Paper>A4</Paper><Orientation>landscape</Orientation>
//     <Margins left="15" top="15" right="15" bottom="15"/><FontSize>9</FontSize>
//     <RepeatHeader>1</RepeatHeader><TitleOnEveryPage>0</TitleOnEveryPage>
//     <Columns><Column caption="存货编码" print="1"/>…</Columns></PrintStyle>
struct PrintStyle {
    struct Column {
        std::string caption;
        bool printed = true;
        bool operator==(const Column&) const = default;
    };

    static constexpr int kMinFontSize = 6;
    static constexpr int kMaxFontSize = 24;
    static constexpr double kMaxMarginMm = 60;

    QPageSize::PageSizeId paper = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF marginsMm{15, 15, 15, 15};
    // In points.
    int fontSize = 9;
    // The table's header row on every page, not only the first.
    bool repeatHeader = true;
    bool titleOnEveryPage = false;
    std::vector<Column> columns;

    bool operator==(const PrintStyle&) const = default;

    bool Prints(std::string_view caption) const;
    QPageLayout PageLayout() const;
    std::string ToXml() const;

    // All captions printed; lists of many columns on landscape paper.
    static PrintStyle ForCaptions(const std::vector<std::string>& captions);
    // nullopt when the text is not a print style.
    static std::optional<PrintStyle> Parse(std::string_view xml);
};

// The paper sizes a style offers, in the order the page set-up lists them.
const std::vector<QPageSize::PageSizeId>& PrintPaperSizes();

}  // namespace zel
