#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/controls/export/chunked_file.h"

namespace zel {

// Writes a zip archive of deflated entries in one pass: each entry's bytes are compressed as
// they come, so an entry never has to fit in memory. The archive replaces the file at its path
// only once it is committed. Archives past the classic format's 4 GB limits are refused.
class ZipArchiveWriter {
public:
    explicit ZipArchiveWriter(const std::string& path);
    ~ZipArchiveWriter();
    ZipArchiveWriter(const ZipArchiveWriter&) = delete;
    ZipArchiveWriter& operator=(const ZipArchiveWriter&) = delete;

    bool Open();
    // Starts an entry named by its path inside the archive; ends the entry before it.
    bool BeginEntry(std::string_view name);
    // Adds bytes to the entry begun last.
    bool Write(std::string_view bytes);
    // Ends the last entry and writes the archive's directory.
    bool Commit();
    // Why the last call failed.
    std::string Reason() const;

private:
    struct Entry {
        std::string name;
        std::uint64_t offset = 0;
        std::uint32_t crc = 0;
        std::uint64_t compressed = 0;
        std::uint64_t size = 0;
    };

    bool EndEntry();
    bool Deflate(int flush);
    bool WriteDirectory();
    bool Fail(std::string reason);

    ChunkedFile file_;
    z_stream stream_{};
    bool streamReady_ = false;
    bool inEntry_ = false;
    std::vector<Entry> entries_;
    std::vector<Bytef> out_;
    std::uint16_t dosTime_ = 0;
    std::uint16_t dosDate_ = 0;
    std::string reason_;
};

}  // namespace zel
