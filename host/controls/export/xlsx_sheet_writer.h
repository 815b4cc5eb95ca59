#pragma once

#include <vector>

#include "host/controls/export/export_columns.h"
#include "host/controls/export/xlsx_styles.h"
#include "host/controls/export/zip_archive_writer.h"
#include "host/controls/print/print_data.h"

namespace zel {

// Writes the worksheet part into the archive's current entry, row by row: the bold header that
// stays in view, the column widths, numbers and dates of columns that declare them as such
// (cells that do not read so stay text), empty cells blank. columns[i] describes headers[i].
bool WriteXlsxSheet(ZipArchiveWriter& zip, const PrintData& data,
                    const std::vector<ExportColumn>& columns, const XlsxStyles& styles);

}  // namespace zel
