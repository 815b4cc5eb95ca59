#pragma once

#include <vector>

#include "host/controls/export/export_columns.h"
#include "host/controls/print/print_data.h"

namespace zel {

class FlexGrid;
class IRecordset;

// The export description of every grid column: the serial number a whole number, then column
// i + 1 as field i of the recordset (a result with the grid's fields) names and declares it.
// A number column gets as many decimals as its cells show at most: the grid shows quantities
// with the account's digits and other numbers as they are, so the file shows what the grid
// shows. Columns without a field are text. recordset may be nullptr.
std::vector<ExportColumn> GridExportColumns(FlexGrid& grid, const IRecordset* recordset);
// The same for a table written without a grid: column i as field i (the table has no serial
// number column), number columns with the decimals their cells show.
std::vector<ExportColumn> TableExportColumns(const PrintData& table, const IRecordset& recordset);

}  // namespace zel
