#include "host/controls/export/csv_table_writer.h"

#include <string_view>

#include "host/controls/export/chunked_file.h"

namespace zel {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

void AppendField(std::string& out, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
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

void AppendLine(std::string& out, const std::string* fields, std::size_t count) {
    for (std::size_t col = 0; col < count; ++col) {
        if (col > 0) {
            out += ',';
        }
        AppendField(out, fields[col]);
    }
    out += kLineEnd;
}

}  // namespace

bool WriteCsvTable(const std::string& path, const PrintData& data, std::string& reason) {
    ChunkedFile file(path);
    std::string line(kByteOrderMark);
    const std::size_t cols = data.headers.size();
    AppendLine(line, data.headers.data(), cols);
    bool written = file.Open() && file.Append(line);
    for (std::size_t row = 0; written && row < data.RowCount(); ++row) {
        line.clear();
        AppendLine(line, &data.cells[row * cols], cols);
        written = file.Append(line);
    }
    if (!written || !file.Commit()) {
        reason = file.Reason();
        return false;
    }
    return true;
}

}  // namespace zel
