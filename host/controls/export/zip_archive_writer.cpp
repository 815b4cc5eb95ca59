#include "host/controls/export/zip_archive_writer.h"

#include <ctime>
#include <limits>

#include "host/objects/resource_texts.h"

namespace zel {
namespace {

constexpr std::size_t kOutBytes = 1 << 18;
constexpr std::uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr std::uint32_t kDescriptorSignature = 0x08074b50;
constexpr std::uint32_t kDirectoryHeaderSignature = 0x02014b50;
constexpr std::uint32_t kDirectoryEndSignature = 0x06054b50;
constexpr std::uint16_t kVersionNeeded = 20;
// Sizes and checksum follow the entry's data, since they are known only then.
constexpr std::uint16_t kFlagDescriptor = 0x0008;
constexpr std::uint16_t kMethodDeflate = 8;
// The largest size or offset the classic format holds; the all-ones value means zip64.
constexpr std::uint64_t kMostBytes = std::numeric_limits<std::uint32_t>::max() - 1;
constexpr std::size_t kMostEntries = std::numeric_limits<std::uint16_t>::max();
constexpr int kFirstDosYear = 1980;

void PutU16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void PutU32(std::string& out, std::uint64_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out += static_cast<char>((value >> shift) & 0xFF);
    }
}

std::string TooLarge() {
    return ResourceTexts::Instance().Text("Zel.HOST.EXPORT.too_large");
}

std::string CompressionFailed() {
    return ResourceTexts::Instance().Text("Zel.HOST.EXPORT.compression_failed");
}

}  // namespace

ZipArchiveWriter::ZipArchiveWriter(const std::string& path) : file_(path), out_(kOutBytes) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) != nullptr && local.tm_year + 1900 >= kFirstDosYear) {
        dosTime_ =
            static_cast<std::uint16_t>(local.tm_hour << 11 | local.tm_min << 5 | local.tm_sec / 2);
        dosDate_ = static_cast<std::uint16_t>((local.tm_year + 1900 - kFirstDosYear) << 9 |
                                              (local.tm_mon + 1) << 5 | local.tm_mday);
    }
}

ZipArchiveWriter::~ZipArchiveWriter() {
    if (streamReady_) {
        deflateEnd(&stream_);
    }
}

bool ZipArchiveWriter::Open() {
    // Raw deflate: the archive keeps its own checksum. Spreadsheet markup repeats so much that
    // the fastest level still shrinks it some thirty times, in a fraction of the default's time.
    streamReady_ =
        deflateInit2(&stream_, Z_BEST_SPEED, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) == Z_OK;
    if (!streamReady_) {
        return Fail(CompressionFailed());
    }
    return file_.Open() || Fail(file_.Reason());
}

bool ZipArchiveWriter::BeginEntry(std::string_view name) {
    if (!EndEntry()) {
        return false;
    }
    if (entries_.size() == kMostEntries || file_.Position() > kMostBytes) {
        return Fail(TooLarge());
    }
    entries_.push_back({std::string(name), file_.Position()});
    std::string header;
    PutU32(header, kLocalHeaderSignature);
    PutU16(header, kVersionNeeded);
    PutU16(header, kFlagDescriptor);
    PutU16(header, kMethodDeflate);
    PutU16(header, dosTime_);
    PutU16(header, dosDate_);
    PutU32(header, 0);
    PutU32(header, 0);
    PutU32(header, 0);
    PutU16(header, static_cast<std::uint16_t>(name.size()));
    PutU16(header, 0);
    header += name;
    deflateReset(&stream_);
    inEntry_ = true;
    return file_.Append(header) || Fail(file_.Reason());
}

bool ZipArchiveWriter::Write(std::string_view bytes) {
    Entry& entry = entries_.back();
    entry.crc = static_cast<std::uint32_t>(
        crc32_z(entry.crc, reinterpret_cast<const Bytef*>(bytes.data()), bytes.size()));
    entry.size += bytes.size();
    if (entry.size > kMostBytes) {
        return Fail(TooLarge());
    }
    // zlib reads its input through a non-const pointer but leaves it as it is.
    stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream_.avail_in = static_cast<uInt>(bytes.size());
    return Deflate(Z_NO_FLUSH);
}

bool ZipArchiveWriter::Commit() {
    return EndEntry() && WriteDirectory() && (file_.Commit() || Fail(file_.Reason()));
}

std::string ZipArchiveWriter::Reason() const {
    return reason_;
}

bool ZipArchiveWriter::EndEntry() {
    if (!inEntry_) {
        return true;
    }
    inEntry_ = false;
    if (!Deflate(Z_FINISH)) {
        return false;
    }
    Entry& entry = entries_.back();
    if (entry.compressed > kMostBytes) {
        return Fail(TooLarge());
    }
    std::string descriptor;
    PutU32(descriptor, kDescriptorSignature);
    PutU32(descriptor, entry.crc);
    PutU32(descriptor, entry.compressed);
    PutU32(descriptor, entry.size);
    return file_.Append(descriptor) || Fail(file_.Reason());
}

// Runs deflate until it has taken all input (and, when finishing, given all output), handing
// each full output buffer to the file.
bool ZipArchiveWriter::Deflate(int flush) {
    Entry& entry = entries_.back();
    for (;;) {
        stream_.next_out = out_.data();
        stream_.avail_out = static_cast<uInt>(out_.size());
        const int result = deflate(&stream_, flush);
        if (result == Z_STREAM_ERROR) {
            return Fail(CompressionFailed());
        }
        const std::size_t produced = out_.size() - stream_.avail_out;
        entry.compressed += produced;
        if (!file_.Append({reinterpret_cast<const char*>(out_.data()), produced})) {
            return Fail(file_.Reason());
        }
        const bool done = flush == Z_FINISH ? result == Z_STREAM_END
                                            : stream_.avail_in == 0 && stream_.avail_out != 0;
        if (done) {
            return true;
        }
    }
}

bool ZipArchiveWriter::WriteDirectory() {
    const std::uint64_t start = file_.Position();
    std::string directory;
    for (const Entry& entry : entries_) {
        PutU32(directory, kDirectoryHeaderSignature);
        PutU16(directory, kVersionNeeded);
        PutU16(directory, kVersionNeeded);
        PutU16(directory, kFlagDescriptor);
        PutU16(directory, kMethodDeflate);
        PutU16(directory, dosTime_);
        PutU16(directory, dosDate_);
        PutU32(directory, entry.crc);
        PutU32(directory, entry.compressed);
        PutU32(directory, entry.size);
        PutU16(directory, static_cast<std::uint16_t>(entry.name.size()));
        PutU16(directory, 0);  // extra field
        PutU16(directory, 0);  // comment
        PutU16(directory, 0);  // disk
        PutU16(directory, 0);  // internal attributes
        PutU32(directory, 0);  // external attributes
        PutU32(directory, entry.offset);
        directory += entry.name;
    }
    const std::uint64_t size = directory.size();
    if (start + size > kMostBytes) {
        return Fail(TooLarge());
    }
    const auto count = static_cast<std::uint16_t>(entries_.size());
    PutU32(directory, kDirectoryEndSignature);
    PutU16(directory, 0);  // this disk
    PutU16(directory, 0);  // the directory's disk
    PutU16(directory, count);
    PutU16(directory, count);
    PutU32(directory, size);
    PutU32(directory, start);
    PutU16(directory, 0);  // comment
    return file_.Append(directory) || Fail(file_.Reason());
}

bool ZipArchiveWriter::Fail(std::string reason) {
    reason_ = std::move(reason);
    return false;
}

}  // namespace zel
