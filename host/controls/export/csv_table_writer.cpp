#include "host/controls/export/csv_table_writer.h"

#include "host/controls/export/chunked_file.h"
#include "host/controls/export/xlsx_cell_values.h"

namespace zel {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

void AppendQuoted(std::string& out, std::string_view field, bool guarded) {
    out += '"';
    if (guarded) {
        out += kFormulaGuard;
    }
    for (std::size_t start = 0;;) {
        const std::size_t quote = field.find('"', start);
        out += field.substr(start, quote == std::string_view::npos ? quote : quote + 1 - start);
        if (quote == std::string_view::npos) {
            break;
        }
        out += '"';
        start = quote + 1;
    }
    out += '"';
}

void AppendField(std::string& out, std::string_view field, bool isText) {
    const bool guarded = isText && NeedsFormulaGuard(field);
    if (!guarded && field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    AppendQuoted(out, field, guarded);
}

bool IsNumberCell(std::string_view text, const std::vector<ExportColumn>& columns,
                  std::size_t col) {
    return col < columns.size() && columns[col].kind == FieldKind::kNumber && IsXlsxNumber(text);
}

void AppendHeaderLine(std::string& out, const std::vector<std::string>& headers) {
    for (std::size_t col = 0; col < headers.size(); ++col) {
        if (col > 0) {
            out += ',';
        }
        AppendField(out, headers[col], true);
    }
    out += kLineEnd;
}

void AppendRowLine(std::string& out, const PrintData& data, std::size_t row,
                   const std::vector<ExportColumn>& columns) {
    for (std::size_t col = 0; col < data.headers.size(); ++col) {
        if (col > 0) {
            out += ',';
        }
        const std::string_view cell = data.Cell(row, col);
        AppendField(out, cell, !IsNumberCell(cell, columns, col));
    }
    out += kLineEnd;
}

}  // namespace

bool NeedsFormulaGuard(std::string_view text) {
    return !text.empty() &&
           std::string_view("=+-@\t\r'").find(text.front()) != std::string_view::npos;
}

bool WriteCsvTable(const std::string& path, const PrintData& data,
                   const std::vector<ExportColumn>& columns, std::string& reason) {
    ChunkedFile file(path);
    std::string line(kByteOrderMark);
    AppendHeaderLine(line, data.headers);
    bool written = file.Open() && file.Append(line);
    for (std::size_t row = 0; written && row < data.RowCount(); ++row) {
        line.clear();
        AppendRowLine(line, data, row, columns);
        written = file.Append(line);
    }
    if (!written || !file.Commit()) {
        reason = file.Reason();
        return false;
    }
    return true;
}

}  // namespace zel
