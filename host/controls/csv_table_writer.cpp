#include "host/controls/csv_table_writer.h"

#include <QSaveFile>
#include <string_view>

namespace zel {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
// Text gathered before it goes to the file: few writes, little memory.
constexpr std::size_t kChunkBytes = 1 << 20;

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

class ChunkedFile {
public:
    explicit ChunkedFile(const std::string& path) : file_(QString::fromStdString(path)) {
        buffer_.reserve(kChunkBytes + kChunkBytes / 4);
        // A writable file in a folder that takes no new files can still be replaced in place.
        file_.setDirectWriteFallback(true);
    }

    bool Open() { return file_.open(QIODevice::WriteOnly); }
    std::string& Buffer() { return buffer_; }
    bool FlushIfFull() { return buffer_.size() < kChunkBytes || Flush(); }
    bool Commit() { return Flush() && file_.commit(); }
    std::string Reason() const { return file_.errorString().toStdString(); }

private:
    bool Flush() {
        const auto size = static_cast<qint64>(buffer_.size());
        const bool written = file_.write(buffer_.data(), size) == size;
        buffer_.clear();
        return written;
    }

    QSaveFile file_;
    std::string buffer_;
};

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
    if (!file.Open()) {
        reason = file.Reason();
        return false;
    }
    std::string& out = file.Buffer();
    out += kByteOrderMark;
    const std::size_t cols = data.headers.size();
    AppendLine(out, data.headers.data(), cols);
    for (std::size_t row = 0; row < data.RowCount(); ++row) {
        AppendLine(out, &data.cells[row * cols], cols);
        if (!file.FlushIfFull()) {
            reason = file.Reason();
            return false;
        }
    }
    if (!file.Commit()) {
        reason = file.Reason();
        return false;
    }
    return true;
}

}  // namespace zel
