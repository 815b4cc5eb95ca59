#pragma once

#include <QSaveFile>
#include <cstdint>
#include <string>
#include <string_view>

namespace zel {

// A file written through a large buffer that replaces the file at its path only once it is
// committed whole: a failed write leaves an earlier file as it was.
class ChunkedFile {
public:
    explicit ChunkedFile(const std::string& path);

    bool Open();
    // Appended text reaches the file in large writes; false once a write failed.
    bool Append(std::string_view text);
    // Bytes appended so far.
    std::uint64_t Position() const { return flushed_ + buffer_.size(); }
    bool Commit();
    std::string Reason() const;

private:
    bool Flush();

    QSaveFile file_;
    std::string buffer_;
    std::uint64_t flushed_ = 0;
};

}  // namespace zel
