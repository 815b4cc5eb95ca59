#include "host/controls/export/csv_table_writer.h"

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

}  // namespace

bool NeedsFormulaGuard(std::string_view text) {
    return !text.empty() &&
           std::string_view("=+-@\t\r'").find(text.front()) != std::string_view::npos;
}

CsvTableWriter::CsvTableWriter(const std::string& path) : file_(path) {}

bool CsvTableWriter::Begin(const TableHeading& heading) {
    for (const ExportColumn& column : heading.columns) {
        numberColumns_.push_back(column.kind == FieldKind::kNumber);
    }
    line_ = kByteOrderMark;
    for (std::size_t col = 0; col < heading.headers.size(); ++col) {
        if (col > 0) {
            line_ += ',';
        }
        AppendField(line_, heading.headers[col], true);
    }
    line_ += kLineEnd;
    return file_.Open() && file_.Append(line_);
}

bool CsvTableWriter::AddRow(std::span<const std::string_view> cells) {
    line_.clear();
    for (std::size_t col = 0; col < cells.size(); ++col) {
        if (col > 0) {
            line_ += ',';
        }
        const bool isNumber =
            col < numberColumns_.size() && numberColumns_[col] && IsXlsxNumber(cells[col]);
        AppendField(line_, cells[col], !isNumber);
    }
    line_ += kLineEnd;
    return file_.Append(line_);
}

bool CsvTableWriter::Finish() {
    return file_.Commit();
}

std::string CsvTableWriter::Reason() const {
    return file_.Reason();
}

bool WriteCsvTable(const std::string& path, const PrintData& data,
                   const std::vector<ExportColumn>& columns, std::string& reason) {
    CsvTableWriter writer(path);
    return WriteTable(writer, data, columns, reason);
}

}  // namespace zel
