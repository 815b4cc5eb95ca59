#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/controls/export/table_writer.h"
#include "host/controls/export/xlsx_styles.h"
#include "host/controls/export/zip_archive_writer.h"

namespace zel {

// Writes the worksheet part into the archive's current entry as rows come, through the
// compressor a chunk at a time: the bold header that stays in view, the column widths, numbers
// and dates of columns that declare them as such (cells that do not read so stay text), empty
// cells blank. The heading must describe every header's column and outlive the writer.
class XlsxSheetWriter {
public:
    XlsxSheetWriter(ZipArchiveWriter& zip, const TableHeading& heading, const XlsxStyles& styles);

    void Begin();
    // One cell per header; cells beyond the headers are left out.
    bool AddRow(std::span<const std::string_view> cells);
    bool Finish();

private:
    ZipArchiveWriter& zip_;
    const TableHeading& heading_;
    // The opening of a number or date cell of each column, empty for text columns.
    std::vector<std::string> valueStarts_;
    std::string xml_;
};

}  // namespace zel
