#pragma once

#include <zip.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace zel {

// Why an archive or one of its entries could not be read.
enum class ZipFault {
    kNone,
    kCannotOpen,
    // No zip archive at all: neither its directory nor its first entry's signature is there.
    kNotZip,
    // A zip archive cut short or with damaged contents (a checksum that does not match).
    kDamaged,
    kMissingEntry,
    // An entry that inflates past the limit: declared so, or found so while reading.
    kTooLarge,
};

// One entry of an open archive, inflated chunk by chunk. An entry is refused as soon as it
// inflates past its limit, past its declared size (which a hostile file may understate), or to
// more than kMaxRatio times its compressed size once it passes kRatioFloorBytes.
class ZipEntryStream {
public:
    static constexpr std::uint64_t kMaxRatio = 1000;
    static constexpr std::uint64_t kRatioFloorBytes = std::uint64_t{8} << 20;

    ZipEntryStream(zip_file_t* file, std::uint64_t declaredSize, std::uint64_t compressedSize,
                   std::uint64_t limit);
    ~ZipEntryStream();
    ZipEntryStream(const ZipEntryStream&) = delete;
    ZipEntryStream& operator=(const ZipEntryStream&) = delete;

    // Appends the next chunk of the entry to out; false at its end or on a fault.
    bool ReadChunk(std::string& out);
    ZipFault Fault() const { return fault_; }
    std::uint64_t Limit() const { return limit_; }

private:
    zip_file_t* file_;
    std::uint64_t declaredSize_;
    std::uint64_t compressedSize_;
    std::uint64_t limit_;
    std::uint64_t inflated_ = 0;
    ZipFault fault_ = ZipFault::kNone;
};

// A zip archive opened for reading entries by name; the file is read as entries are, never
// whole.
class ZipArchiveReader {
public:
    // Bytes read from an entry at a time.
    static constexpr std::size_t kChunkBytes = std::size_t{64} << 10;

    ZipArchiveReader() = default;
    ~ZipArchiveReader();
    ZipArchiveReader(const ZipArchiveReader&) = delete;
    ZipArchiveReader& operator=(const ZipArchiveReader&) = delete;

    ZipFault Open(const std::string& path);
    bool Has(const std::string& name) const;
    // The entry, or nullptr with fault set; limit bounds the bytes it may inflate to.
    std::unique_ptr<ZipEntryStream> OpenEntry(const std::string& name, std::uint64_t limit,
                                              ZipFault& fault) const;
    // The whole entry, for the workbook's small parts.
    ZipFault ReadEntry(const std::string& name, std::uint64_t limit, std::string& out) const;

private:
    zip_t* archive_ = nullptr;
};

}  // namespace zel
