#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/controls/export/export_columns.h"
#include "host/controls/print/print_data.h"

namespace zel {

// What a table written row by row starts with.
struct TableHeading {
    // Names a workbook's sheet.
    std::string title;
    // The warehouse the rows are of, for a workbook's printed heading; empty when they name none.
    std::string warehouse;
    std::vector<std::string> headers;
    // columns[i] describes headers[i]; a column without a description is text.
    std::vector<ExportColumn> columns;
};

// A table file written as its rows come, never held whole: Begin with the heading, AddRow for
// each row, then Finish. The file replaces an earlier one at its path only when Finish succeeds;
// a writer dropped before that leaves the earlier file, or none, as it was. After a call that
// failed the writer is done with; Reason says why it failed.
class TableWriter {
public:
    virtual ~TableWriter() = default;

    virtual bool Begin(const TableHeading& heading) = 0;
    // One cell per header, each the text the grid shows.
    virtual bool AddRow(std::span<const std::string_view> cells) = 0;
    virtual bool Finish() = 0;
    virtual std::string Reason() const = 0;
};

// Writes the data's header and rows through the writer; false with the writer's reason.
bool WriteTable(TableWriter& writer, const PrintData& data,
                const std::vector<ExportColumn>& columns, std::string& reason);

}  // namespace zel
