#include "host/controls/chunked_file.h"

namespace zel {
namespace {

constexpr std::size_t kChunkBytes = 1 << 20;

}  // namespace

ChunkedFile::ChunkedFile(const std::string& path) : file_(QString::fromStdString(path)) {
    buffer_.reserve(kChunkBytes + kChunkBytes / 4);
    // A writable file in a folder that takes no new files can still be replaced in place.
    file_.setDirectWriteFallback(true);
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
