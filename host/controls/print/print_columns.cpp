#include "host/controls/print/print_columns.h"

#include <QFontMetricsF>
#include <QString>
#include <algorithm>

namespace zel {
namespace {

constexpr std::size_t kMeasuredRows = 200;
constexpr double kPaddingPerPoint = 0.4;

std::size_t CharacterCount(std::string_view text) {
    // UTF-8 continuation bytes are 10xxxxxx; every other byte starts a character.
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// The rows whose texts are measured for a column: the first ones and the longest ones.
std::vector<std::size_t> RowsToMeasure(const PrintData& data, std::size_t col) {
    const std::size_t rows = data.RowCount();
    std::vector<std::size_t> measured;
    for (std::size_t row = 0; row < std::min(rows, kMeasuredRows); ++row) {
        measured.push_back(row);
    }
    std::size_t longestBytes = 0;
    std::size_t mostChars = 0;
    std::size_t bytes = 0;
    std::size_t chars = 0;
    for (std::size_t row = kMeasuredRows; row < rows; ++row) {
        const std::string_view text = data.Cell(row, col);
        if (text.size() > bytes) {
            bytes = text.size();
            longestBytes = row;
        }
        // A text can hold no more characters than bytes.
        if (text.size() > chars) {
            const std::size_t count = CharacterCount(text);
            if (count > chars) {
                chars = count;
                mostChars = row;
            }
        }
    }
    if (bytes > 0) {
        measured.push_back(longestBytes);
    }
    if (chars > 0) {
        measured.push_back(mostChars);
    }
    return measured;
}

double ColumnWidth(const PrintData& data, std::size_t col, const PrintFonts& fonts) {
    const QFontMetricsF cells(fonts.cell);
    double widest =
        QFontMetricsF(fonts.header).horizontalAdvance(QString::fromStdString(data.headers[col]));
    for (const std::size_t row : RowsToMeasure(data, col)) {
        widest = std::max(widest,
                          cells.horizontalAdvance(QUtf8StringView(data.Cell(row, col)).toString()));
    }
    return widest + 2 * PrintCellPadding(fonts);
}

}  // namespace

double PrintCellPadding(const PrintFonts& fonts) {
    return fonts.cell.pixelSize() * kPaddingPerPoint;
}

std::vector<PrintColumn> ChoosePrintColumns(const PrintData& data, const PrintStyle& style,
                                            const PrintFonts& fonts) {
    std::vector<PrintColumn> columns;
    for (std::size_t col = 0; col < data.headers.size(); ++col) {
        const bool serial = col == 0;
        if ((serial && !data.serialNumbers) || !style.Prints(data.headers[col])) {
            continue;
        }
        const bool right = col < data.rightAligned.size() && data.rightAligned[col];
        columns.push_back({col, ColumnWidth(data, col, fonts), right});
    }
    return columns;
}

}  // namespace zel
