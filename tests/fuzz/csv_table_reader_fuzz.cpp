// The CSV reader over any bytes: it ends with rows or a worded error, and every cell it hands out
// is UTF-8, whatever the file's encoding.
#include <QBuffer>
#include <QStringDecoder>
#include <cstdint>
#include <cstdlib>

#include "host/controls/import/csv_table_reader.h"

namespace {

bool IsUtf8(const std::string& text) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder(QByteArrayView(text));
    return !decoder.hasError();
}

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

void CheckUtf8(const std::vector<std::string>& cells) {
    for (const auto& cell : cells) {
        Check(IsUtf8(cell));
    }
}

void Read(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    zel::CsvTableReader reader(buffer, "fuzz.csv");
    if (reader.Open()) {
        CheckUtf8(reader.Header());
        for (std::vector<std::string> cells; reader.NextRow(cells);) {
            CheckUtf8(cells);
        }
    }
    const auto& error = reader.Error();
    Check((error.kind == zel::TableReadError::Kind::kNone) == error.message.empty());
}

}  // namespace

// The file as it is; and one in eight (reading 64 KiB costs more than the rest) behind as many
// blank lines as put it across the reader's first chunk of 64 KiB a few bytes in, so that a field,
// a quote, a line end or a character is cut where one chunk ends.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Read(bytes);
    if (size % 8 == 0) {
        constexpr qsizetype kChunkBytes = qsizetype{64} << 10;
        const auto before = static_cast<qsizetype>(size / 8 % 7);
        Read(QByteArray(kChunkBytes - 1 - before, '\n') + bytes);
    }
    return 0;
}
