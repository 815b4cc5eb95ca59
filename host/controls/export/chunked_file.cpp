#include "host/controls/export/chunked_file.h"

namespace zel {
namespace {

constexpr std::size_t kChunkBytes = 1 << 20;

}  // namespace

ChunkedFile::ChunkedFile(const std::string& path) : file_(QString::fromStdString(path)) {
    buffer_.reserve(kChunkBytes + kChunkBytes / 4);
    // Never written over in place: a failure half-way would leave half a file where the old one
    // was. A folder that takes no new files refuses the export instead.
    file_.setDirectWriteFallback(false);
}

bool ChunkedFile::Open() {
    return file_.open(QIODevice::WriteOnly);
}

bool ChunkedFile::Append(std::string_view text) {
    buffer_ += text;
    return buffer_.size() < kChunkBytes || Flush();
}

bool ChunkedFile::Commit() {
    return Flush() && file_.commit();
}

std::string ChunkedFile::Reason() const {
    return file_.errorString().toStdString();
}

bool ChunkedFile::Flush() {
    const auto size = static_cast<qint64>(buffer_.size());
    const bool written = file_.write(buffer_.data(), size) == size;
    flushed_ += buffer_.size();
    buffer_.clear();
    return written;
}

}  // namespace zel
