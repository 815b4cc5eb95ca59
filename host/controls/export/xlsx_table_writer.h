#pragma once

#include <string>
#include <vector>

#include "host/controls/export/export_columns.h"
#include "host/controls/print/print_data.h"

namespace zel {

// Writes the header and the rows as a workbook of one sheet named after the title: numbers as
// numbers showing the column's decimals, dates as dates (yyyy-mm-dd), everything else and every
// cell that does not read as its column's kind as text, empty cells left blank. The header row
// is bold and stays in view while scrolling; column widths follow the declared sizes.
// columns[i] describes headers[i]; a column without a description is text.
// Rows are compressed into the file as they are written, so memory stays small for large
// tables; the file replaces an earlier one only once it is whole. False with the reason when
// the file cannot be written.
bool WriteXlsxTable(const std::string& path, const PrintData& data,
                    const std::vector<ExportColumn>& columns, std::string& reason);

}  // namespace zel
