#include "host/controls/import/csv_table_reader.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "host/controls/export/csv_table_writer.h"
#include "host/objects/resource_texts.h"

namespace zel {
namespace {

constexpr std::size_t kChunkBytes = std::size_t{64} << 10;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsAscii(std::string_view bytes) {
    return std::none_of(bytes.begin(), bytes.end(),
                        [](char byte) { return (static_cast<unsigned char>(byte) & 0x80) != 0; });
}

// The bytes without a UTF-8 sequence that the end of the chunk cuts off, which the next chunk
// completes.
std::string_view WithoutCutSequence(std::string_view bytes) {
    std::size_t lead = bytes.size();
    while (lead > 0 && bytes.size() - lead < 3 &&
           (static_cast<unsigned char>(bytes[lead - 1]) & 0xC0) == 0x80) {
        --lead;
    }
    if (lead == 0) {
        return bytes;
    }
    const auto first = static_cast<unsigned char>(bytes[lead - 1]);
    const std::size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
    return bytes.size() - (lead - 1) < length ? bytes.substr(0, lead - 1) : bytes;
}

// The delimiter the first line that is not blank holds most of outside quotes; a comma where none
// is more frequent, as the program itself writes commas.
char MostFrequentDelimiter(std::string_view bytes) {
    bytes.remove_prefix(std::min(bytes.find_first_not_of("\r\n"), bytes.size()));
    constexpr std::array<char, 3> kCandidates = {',', ';', '\t'};
    std::array<std::size_t, 3> counts{};
    bool inQuotes = false;
    for (const char byte : bytes) {
        if (byte == '"') {
            inQuotes = !inQuotes;
        } else if (!inQuotes && (byte == '\r' || byte == '\n')) {
            break;
        } else if (!inQuotes) {
            const auto* found = std::find(kCandidates.begin(), kCandidates.end(), byte);
            if (found != kCandidates.end()) {
                ++counts[found - kCandidates.begin()];
            }
        }
    }
    return kCandidates[std::max_element(counts.begin(), counts.end()) - counts.begin()];
}

}  // namespace

CsvTableReader::CsvTableReader(const QString& path) : file_(path) {}

bool CsvTableReader::Open() {
    if (!file_.open(QIODevice::ReadOnly)) {
        return Fail(TableReadError::Kind::kReadFailed, 0, 0);
    }
    if (file_.peek(kByteOrderMark.size()) == QByteArrayView(kByteOrderMark)) {
        file_.skip(kByteOrderMark.size());
        encoding_ = Encoding::kUtf8;
    }
    if (!Fill()) {
        return error_.kind == TableReadError::Kind::kNone
                   ? Fail(TableReadError::Kind::kEmptyFile, 0, 0)
                   : false;
    }
    delimiter_ = MostFrequentDelimiter(buffer_);
    if (!ReadRecord(header_)) {
        return error_.kind == TableReadError::Kind::kNone
                   ? Fail(TableReadError::Kind::kEmptyFile, 0, 0)
                   : false;
    }
    return true;
}

std::string CsvTableReader::Summary() const {
    const auto& texts = ResourceTexts::Instance();
    const char* delimiter = delimiter_ == ';'    ? "Zel.HOST.IMPORT.semicolon"
                            : delimiter_ == '\t' ? "Zel.HOST.IMPORT.tab"
                                                 : "Zel.HOST.IMPORT.comma";
    return texts.Format("Zel.HOST.IMPORT.csv_summary",
                        {IsGb18030() ? "GB18030" : "UTF-8", texts.Text(delimiter)});
}

bool CsvTableReader::NextRow(std::vector<std::string>& cells) {
    return error_.kind == TableReadError::Kind::kNone && ReadRecord(cells);
}

// Called only once the buffer is used up, so that it never holds more than one chunk.
bool CsvTableReader::Fill() {
    if (atEnd_) {
        return false;
    }
    buffer_.resize(kChunkBytes);
    pos_ = 0;
    const qint64 read = file_.read(buffer_.data(), static_cast<qint64>(kChunkBytes));
    buffer_.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
    if (read <= 0) {
        atEnd_ = true;
        return read == 0 ? false : Fail(TableReadError::Kind::kReadFailed, row_, 0);
    }
    if (encoding_ == Encoding::kUndecided && !IsAscii(buffer_)) {
        DecideEncoding();
    }
    return true;
}

// Decided at the first chunk with other than ASCII: a GB18030 text is next to never valid UTF-8
// for a whole chunk. Until then both read the same.
void CsvTableReader::DecideEncoding() {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // The decoder runs only when its result is taken.
    const QString decoded = utf8(QByteArrayView(WithoutCutSequence(buffer_)));
    encoding_ = utf8.hasError() ? Encoding::kGb18030 : Encoding::kUtf8;
}

int CsvTableReader::Peek() {
    if (pos_ == buffer_.size() && !Fill()) {
        return -1;
    }
    return static_cast<unsigned char>(buffer_[pos_]);
}

bool CsvTableReader::ReadRecord(std::vector<std::string>& cells) {
    for (;;) {
        cells.clear();
        field_.clear();
        fieldQuoted_ = false;
        ++row_;
        const auto blank = [&] { return cells.empty() && field_.empty() && !fieldQuoted_; };
        bool inQuotes = false;
        for (;;) {
            const int next = Peek();
            if (next < 0) {
                if (error_.kind != TableReadError::Kind::kNone) {
                    return false;
                }
                if (inQuotes) {
                    return Fail(TableReadError::Kind::kUnclosedQuote, row_, cells.size() + 1);
                }
                return !blank() && FinishField(cells);
            }
            ++pos_;
            const char byte = static_cast<char>(next);
            if (inQuotes) {
                if (byte != '"') {
                    if (!Append(byte, cells.size() + 1)) {
                        return false;
                    }
                } else if (Peek() == '"') {
                    ++pos_;
                    if (!Append('"', cells.size() + 1)) {
                        return false;
                    }
                } else {
                    inQuotes = false;
                }
            } else if (byte == '"' && field_.empty() && !fieldQuoted_) {
                fieldQuoted_ = inQuotes = true;
            } else if (byte == delimiter_) {
                if (!FinishField(cells)) {
                    return false;
                }
            } else if (byte == '\r' || byte == '\n') {
                if (byte == '\r' && Peek() == '\n') {
                    ++pos_;
                }
                if (!blank()) {
                    return FinishField(cells);
                }
                break;
            } else if (!Append(byte, cells.size() + 1)) {
                return false;
            }
        }
    }
}

bool CsvTableReader::Append(char byte, std::size_t column) {
    if (field_.size() == kMaxCellBytes) {
        return Fail(TableReadError::Kind::kCellTooLarge, row_, column);
    }
    field_ += byte;
    return true;
}

bool CsvTableReader::Decode(std::string& text) const {
    if (IsAscii(field_)) {
        text = field_;
        return true;
    }
    const bool gb18030 = encoding_ == Encoding::kGb18030;
    QStringDecoder decoder(gb18030 ? "GB18030" : "UTF-8", QStringDecoder::Flag::Stateless);
    const QString decoded = decoder(QByteArrayView(field_));
    if (decoder.hasError()) {
        return false;
    }
    text = gb18030 ? decoded.toStdString() : field_;
    return true;
}

bool CsvTableReader::FinishField(std::vector<std::string>& cells) {
    if (cells.size() == kMaxColumns) {
        return Fail(TableReadError::Kind::kTooManyColumns, row_, kMaxColumns + 1);
    }
    std::string text;
    if (!Decode(text)) {
        return Fail(TableReadError::Kind::kInvalidEncoding, row_, cells.size() + 1);
    }
    if (!text.empty() && text.front() == kFormulaGuard) {
        text.erase(0, 1);
    }
    cells.push_back(std::move(text));
    field_.clear();
    fieldQuoted_ = false;
    return true;
}

bool CsvTableReader::Fail(TableReadError::Kind kind, std::size_t row, std::size_t column) {
    const auto& texts = ResourceTexts::Instance();
    const std::string path = file_.fileName().toStdString();
    const std::string at = std::to_string(row);
    const std::string in = std::to_string(column);
    std::string message;
    switch (kind) {
        case TableReadError::Kind::kNone:
        case TableReadError::Kind::kNotWorkbook:
        case TableReadError::Kind::kDamagedArchive:
        case TableReadError::Kind::kNoSuchSheet:
        case TableReadError::Kind::kEntryTooLarge:
        case TableReadError::Kind::kTooManyRows:
        case TableReadError::Kind::kRowTooLarge:
        case TableReadError::Kind::kMalformedSheet:
            break;
        case TableReadError::Kind::kReadFailed:
            message = texts.Format("Zel.HOST.IMPORT.read_failed",
                                   {path, file_.errorString().toStdString()});
            break;
        case TableReadError::Kind::kEmptyFile:
            message = texts.Format("Zel.HOST.IMPORT.empty", {path});
            break;
        case TableReadError::Kind::kUnclosedQuote:
            message = texts.Format("Zel.HOST.IMPORT.unclosed_quote", {at, in});
            break;
        case TableReadError::Kind::kCellTooLarge:
            message = texts.Format("Zel.HOST.IMPORT.cell_too_large",
                                   {at, in, std::to_string(kMaxCellBytes)});
            break;
        case TableReadError::Kind::kTooManyColumns:
            message =
                texts.Format("Zel.HOST.IMPORT.too_many_columns", {at, std::to_string(kMaxColumns)});
            break;
        case TableReadError::Kind::kInvalidEncoding:
            message = texts.Format("Zel.HOST.IMPORT.invalid_encoding",
                                   {at, in, IsGb18030() ? "GB18030" : "UTF-8"});
            break;
    }
    error_ = {kind, row, column, message};
    return false;
}

}  // namespace zel
