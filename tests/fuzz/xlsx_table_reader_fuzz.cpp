// The workbook reader over any bytes, written to a file as the reader takes one: it reads the
// first sheet to its end or stops with a worded error, without a fault, a hang or memory beyond
// its bounds, however the archive or its parts are damaged.
//
// An input that begins "== " is a workbook's parts instead, each "== <entry name>" on a line of
// its own and then its text: they are stored in a zip archive uncompressed, so that what the
// fuzzer changes reaches the parts' XML rather than breaking the compressed data or its checksum.
#include <zip.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/controls/import/xlsx_table_reader.h"

namespace {

using Parts = std::vector<std::pair<std::string, std::string_view>>;

const QString& Path() {
    static const QTemporaryDir folder;
    static const QString path = folder.filePath("fuzz.xlsx");
    return path;
}

Parts PartsOf(std::string_view text) {
    constexpr std::string_view kMark = "== ";
    Parts parts;
    while (text.starts_with(kMark)) {
        const std::size_t nameEnd = std::min(text.find('\n'), text.size());
        std::string name(text.substr(kMark.size(), nameEnd - kMark.size()));
        text.remove_prefix(std::min(nameEnd + 1, text.size()));
        const std::size_t next = std::min(text.find("\n== "), text.size());
        parts.emplace_back(std::move(name), text.substr(0, next));
        text.remove_prefix(std::min(next + 1, text.size()));
    }
    return parts;
}

// Parts whose names the archive refuses are left out.
void WriteStored(const Parts& parts) {
    int error = 0;
    zip_t* archive = zip_open(Path().toLocal8Bit().constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (archive == nullptr) {
        std::abort();
    }
    for (const auto& [name, text] : parts) {
        zip_source_t* source = zip_source_buffer(archive, text.data(), text.size(), 0);
        const zip_int64_t index =
            source == nullptr
                ? -1
                : zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
        } else {
            zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
        }
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
    }
}

void WriteAsIs(const std::uint8_t* data, std::size_t size) {
    QFile file(Path());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) !=
            static_cast<qint64>(size)) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Parts parts = PartsOf(std::string_view(reinterpret_cast<const char*>(data), size));
    if (parts.empty()) {
        WriteAsIs(data, size);
    } else {
        QFile::remove(Path());
        WriteStored(parts);
    }
    zel::XlsxTableReader reader(Path(), "");
    if (reader.Open()) {
        reader.SheetNames();
        for (std::vector<std::string> cells; reader.NextRow(cells);) {
        }
    }
    const auto& error = reader.Error();
    if ((error.kind == zel::TableReadError::Kind::kNone) != error.message.empty()) {
        std::abort();
    }
    return 0;
}
