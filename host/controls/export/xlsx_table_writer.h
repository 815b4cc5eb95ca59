#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "host/controls/export/export_columns.h"
#include "host/controls/export/table_writer.h"
#include "host/controls/export/xlsx_sheet_writer.h"
#include "host/controls/export/xlsx_styles.h"
#include "host/controls/export/zip_archive_writer.h"
#include "host/controls/print/print_data.h"

namespace zel {

// Writes the header and the rows as a workbook of one sheet named after the title: numbers as
// numbers showing the column's decimals, dates as dates (yyyy-mm-dd), everything else and every
// cell that does not read as its column's kind as text, empty cells left blank. The header row
// is bold and stays in view while scrolling; column widths follow the declared sizes.
// Rows are compressed into the file as they are added, so memory stays small however many
// there are. A sheet holds at most kMostRows rows, the header's included, and kMostColumns
// columns; a table beyond them is refused.
class XlsxTableWriter final : public TableWriter {
public:
    static constexpr std::size_t kMostRows = 1'048'576;
    static constexpr std::size_t kMostColumns = 16'384;

    explicit XlsxTableWriter(const std::string& path);

    bool Begin(const TableHeading& heading) override;
    bool AddRow(std::span<const std::string_view> cells) override;
    bool Finish() override;
    std::string Reason() const override;

private:
    // Begun, and nothing has failed since.
    bool Writing() const;
    bool Fail(std::string reason);

    ZipArchiveWriter zip_;
    TableHeading heading_;
    std::optional<XlsxStyles> styles_;
    std::optional<XlsxSheetWriter> sheet_;
    std::size_t rows_ = 0;
    std::string reason_;
};

// The data through an XlsxTableWriter; false with the reason.
bool WriteXlsxTable(const std::string& path, const PrintData& data,
                    const std::vector<ExportColumn>& columns, std::string& reason);

}  // namespace zel
