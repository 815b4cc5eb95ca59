#include "host/pub/export_grid_columns.h"

#include <algorithm>
#include <string_view>

#include "host/controls/flex_grid.h"
#include "interfaces/recordset.h"

namespace zel {
namespace {

// Only digits after the point count, so that a text that is no number adds no decimals.
int DecimalsOf(std::string_view text) {
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos) {
        return 0;
    }
    const std::string_view fraction = text.substr(point + 1);
    const bool digits =
        std::all_of(fraction.begin(), fraction.end(), [](char c) { return c >= '0' && c <= '9'; });
    return digits ? static_cast<int>(fraction.size()) : 0;
}

// Reads every row: a column whose first rows are whole numbers may still hold fractions further
// down. The texts are read in place, so this stays a fraction of writing the file.
int ColumnDecimals(const FlexGridModel& model, int col) {
    int decimals = 0;
    for (int row = model.FixedRows(); row < model.Rows(); ++row) {
        decimals = std::max(decimals, DecimalsOf(model.Text(row, col)));
    }
    return decimals;
}

int ColumnDecimals(const PrintData& table, std::size_t col) {
    int decimals = 0;
    for (std::size_t row = 0; row < table.RowCount(); ++row) {
        decimals = std::max(decimals, DecimalsOf(table.Cell(row, col)));
    }
    return decimals;
}

// columnDecimals() is asked only for a number column.
template <typename Decimals>
ExportColumn FieldColumn(const IRecordset& recordset, int field, Decimals columnDecimals) {
    switch (KindOfField(recordset.FieldName(field))) {
        case FieldKind::kNumber:
            return {FieldKind::kNumber, columnDecimals()};
        case FieldKind::kDate:
            return {FieldKind::kDate, kExportDateSize};
        case FieldKind::kText:
            break;
    }
    return {FieldKind::kText, recordset.FieldDefinedSize(field)};
}

}  // namespace

std::vector<ExportColumn> GridExportColumns(FlexGrid& grid, const IRecordset* recordset) {
    const int cols = grid.Cols();
    if (cols < 1) {
        return {};
    }
    std::vector<ExportColumn> columns(static_cast<std::size_t>(cols));
    columns[0] = {FieldKind::kNumber, 0};
    if (recordset == nullptr) {
        return columns;
    }
    const int fields = std::min(recordset->FieldCount(), cols - 1);
    for (int field = 0; field < fields; ++field) {
        columns[static_cast<std::size_t>(field) + 1] =
            FieldColumn(*recordset, field, [&] { return ColumnDecimals(grid.Model(), field + 1); });
    }
    return columns;
}

std::vector<ExportColumn> TableExportColumns(const PrintData& table, const IRecordset& recordset) {
    std::vector<ExportColumn> columns(table.headers.size());
    const int fields = std::min(recordset.FieldCount(), static_cast<int>(columns.size()));
    for (int field = 0; field < fields; ++field) {
        const auto col = static_cast<std::size_t>(field);
        columns[col] = FieldColumn(recordset, field, [&] { return ColumnDecimals(table, col); });
    }
    return columns;
}

}  // namespace zel
