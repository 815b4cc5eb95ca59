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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    zel::CsvTableReader reader(buffer, "fuzz.csv");
    if (reader.Open()) {
        CheckUtf8(reader.Header());
        for (std::vector<std::string> cells; reader.NextRow(cells);) {
            CheckUtf8(cells);
        }
    }
    const auto& error = reader.Error();
    Check((error.kind == zel::TableReadError::Kind::kNone) == error.message.empty());
    return 0;
}
