#include "host/pub/grid_columns.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTableView>
#include <algorithm>

#include "host/controls/field_kind.h"
#include "host/controls/flex_grid.h"
#include "host/controls/twips.h"
#include "interfaces/recordset.h"

namespace zel {
namespace {

// Pixels for the cell margins and the grid lines around a text.
constexpr int kPadding = 14;
constexpr int kMinPixels = 40;
constexpr int kMaxPixels = 360;
constexpr int kSerialDigits = 6;
// Until rows arrive: characters made room for in a number column, in a text column that declares
// no size, and at most in any text column, whatever its declared size.
constexpr int kNumberChars = 12;
constexpr int kDefaultTextChars = 10;
constexpr int kMaxTextChars = 12;
constexpr const char* kDateSample = "0000-00-00";

struct Measures {
    QFontMetrics cells;
    QFontMetrics header;
};

int ValuesWidth(const Measures& fonts, FieldKind kind, int declaredSize) {
    switch (kind) {
        case FieldKind::kNumber:
            return fonts.cells.horizontalAdvance(QString(kNumberChars, QLatin1Char('0')));
        case FieldKind::kDate:
            return fonts.cells.horizontalAdvance(QString::fromLatin1(kDateSample));
        case FieldKind::kText:
            break;
    }
    const int chars = declaredSize > 0 ? std::min(declaredSize, kMaxTextChars) : kDefaultTextChars;
    return fonts.cells.horizontalAdvance(QString(chars, QLatin1Char('0')));
}

int ColumnPixels(const Measures& fonts, const FlexGrid& grid, int col, int valuesWidth) {
    const QString header = QString::fromStdString(grid.TextMatrix(0, col));
    const int wanted = std::max(fonts.header.horizontalAdvance(header), valuesWidth) + kPadding;
    return std::clamp(wanted, kMinPixels, kMaxPixels);
}

// A width the user gave a column stands through every new layout of the same grid.
void SetColumn(FlexGrid& grid, int col, int pixels, Qt::Alignment alignment) {
    if (!grid.ColSizedByUser(col)) {
        grid.SetColWidth(col, Twips::ForScreen(grid.screen()).FromPixelsX(pixels));
    }
    grid.SetColAlignment(col, alignment | Qt::AlignVCenter);
}

}  // namespace

void FormatGridColumns(FlexGrid& grid, const IRecordset* recordset) {
    if (grid.Cols() < 1) {
        return;
    }
    const Measures fonts{QFontMetrics(grid.View().font()),
                         QFontMetrics(grid.View().horizontalHeader()->font())};
    const int serialWidth = fonts.cells.horizontalAdvance(QString(kSerialDigits, QLatin1Char('0')));
    SetColumn(grid, 0, ColumnPixels(fonts, grid, 0, serialWidth), Qt::AlignRight);
    if (recordset == nullptr) {
        return;
    }
    const double maxTwips = Twips::ForScreen(grid.screen()).FromPixelsX(kMaxPixels);
    const int fields = std::min(recordset->FieldCount(), grid.Cols() - 1);
    for (int field = 0; field < fields; ++field) {
        const FieldKind kind = KindOfField(recordset->FieldName(field));
        const int values = ValuesWidth(fonts, kind, recordset->FieldDefinedSize(field));
        SetColumn(grid, field + 1, ColumnPixels(fonts, grid, field + 1, values),
                  kind == FieldKind::kNumber ? Qt::AlignRight : Qt::AlignLeft);
        grid.FitColToContents(field + 1, maxTwips);
        grid.SetColField(field + 1, {recordset->FieldName(field), recordset->FieldSource(field)});
    }
}

}  // namespace zel
