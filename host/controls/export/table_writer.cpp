#include "host/controls/export/table_writer.h"

namespace zel {

bool WriteTable(TableWriter& writer, const PrintData& data,
                const std::vector<ExportColumn>& columns, std::string& reason) {
    bool written = writer.Begin({data.title, data.warehouse, data.headers, columns});
    std::vector<std::string_view> cells(data.headers.size());
    for (std::size_t row = 0; written && row < data.RowCount(); ++row) {
        for (std::size_t col = 0; col < cells.size(); ++col) {
            cells[col] = data.Cell(row, col);
        }
        written = writer.AddRow(cells);
    }
    if (!written || !writer.Finish()) {
        reason = writer.Reason();
        return false;
    }
    return true;
}

}  // namespace zel
