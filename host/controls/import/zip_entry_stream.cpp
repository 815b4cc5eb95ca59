#include "host/controls/import/zip_entry_stream.h"

#include <QFile>
#include <string_view>

namespace zel {
namespace {

constexpr std::string_view kEntrySignature = "PK\x03\x04";

ZipFault FaultOf(int zipError) {
    switch (zipError) {
        case ZIP_ER_CRC:
        case ZIP_ER_INCONS:
        case ZIP_ER_ZLIB:
        case ZIP_ER_EOF:
        case ZIP_ER_COMPNOTSUPP:
            return ZipFault::kDamaged;
        case ZIP_ER_NOZIP:
            return ZipFault::kNotZip;
        default:
            return ZipFault::kCannotOpen;
    }
}

// A file that begins as a zip archive but has no directory at its end was cut short.
bool BeginsAsZip(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) &&
           file.read(kEntrySignature.size()) == QByteArrayView(kEntrySignature);
}

}  // namespace

ZipEntryStream::ZipEntryStream(zip_file_t* file, std::uint64_t declaredSize,
                               std::uint64_t compressedSize, std::uint64_t limit)
    : file_(file), declaredSize_(declaredSize), compressedSize_(compressedSize), limit_(limit) {}

ZipEntryStream::~ZipEntryStream() {
    zip_fclose(file_);
}

bool ZipEntryStream::ReadChunk(std::string& out) {
    if (fault_ != ZipFault::kNone) {
        return false;
    }
    const std::size_t before = out.size();
    out.resize(before + ZipArchiveReader::kChunkBytes);
    const zip_int64_t read = zip_fread(file_, out.data() + before, ZipArchiveReader::kChunkBytes);
    out.resize(before + static_cast<std::size_t>(read > 0 ? read : 0));
    if (read < 0) {
        fault_ = FaultOf(zip_error_code_zip(zip_file_get_error(file_)));
        return false;
    }
    inflated_ += static_cast<std::uint64_t>(read);
    if (inflated_ > limit_ || inflated_ > declaredSize_ ||
        (inflated_ > kRatioFloorBytes && inflated_ / kMaxRatio > compressedSize_)) {
        fault_ = inflated_ > declaredSize_ && inflated_ <= limit_ ? ZipFault::kDamaged
                                                                  : ZipFault::kTooLarge;
        out.resize(before);
        return false;
    }
    return read > 0;
}

ZipArchiveReader::~ZipArchiveReader() {
    if (archive_ != nullptr) {
        zip_discard(archive_);
    }
}

ZipFault ZipArchiveReader::Open(const std::string& path) {
    int error = 0;
    archive_ = zip_open(QFile::encodeName(QString::fromStdString(path)).constData(),
                        ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (archive_ != nullptr) {
        return ZipFault::kNone;
    }
    const ZipFault fault = FaultOf(error);
    return fault == ZipFault::kNotZip && BeginsAsZip(path) ? ZipFault::kDamaged : fault;
}

bool ZipArchiveReader::Has(const std::string& name) const {
    return zip_name_locate(archive_, name.c_str(), 0) >= 0;
}

std::unique_ptr<ZipEntryStream> ZipArchiveReader::OpenEntry(const std::string& name,
                                                            std::uint64_t limit,
                                                            ZipFault& fault) const {
    const zip_int64_t index = zip_name_locate(archive_, name.c_str(), 0);
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (index < 0 || zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &stat) != 0) {
        fault = ZipFault::kMissingEntry;
        return nullptr;
    }
    const std::uint64_t size = (stat.valid & ZIP_STAT_SIZE) != 0 ? stat.size : limit;
    const std::uint64_t compressed = (stat.valid & ZIP_STAT_COMP_SIZE) != 0 ? stat.comp_size : 0;
    if (size > limit || (size > ZipEntryStream::kRatioFloorBytes &&
                         size / ZipEntryStream::kMaxRatio > compressed)) {
        fault = ZipFault::kTooLarge;
        return nullptr;
    }
    zip_file_t* file = zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0);
    if (file == nullptr) {
        fault = FaultOf(zip_error_code_zip(zip_get_error(archive_)));
        return nullptr;
    }
    fault = ZipFault::kNone;
    return std::make_unique<ZipEntryStream>(file, size, compressed, limit);
}

ZipFault ZipArchiveReader::ReadEntry(const std::string& name, std::uint64_t limit,
                                     std::string& out) const {
    ZipFault fault = ZipFault::kNone;
    const auto entry = OpenEntry(name, limit, fault);
    if (entry == nullptr) {
        return fault;
    }
    out.clear();
    while (entry->ReadChunk(out)) {
    }
    return entry->Fault();
}

}  // namespace zel
