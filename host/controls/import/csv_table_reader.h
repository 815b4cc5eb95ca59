#pragma once

#include <QFile>
#include <QStringDecoder>
#include <cstddef>
#include <string>
#include <vector>

namespace zel {

// Why a CSV file could not be read to its end. Rows and columns count from 1, the header line
// being row 1, as a spreadsheet numbers them.
struct CsvReadError {
    enum class Kind {
        kNone,
        kReadFailed,
        kEmptyFile,
        kUnclosedQuote,
        kCellTooLarge,
        kTooManyColumns,
        kInvalidEncoding,
    };

    Kind kind = Kind::kNone;
    std::size_t row = 0;
    std::size_t column = 0;
    // The worded reason a user is shown.
    std::string message;
};

// Reads what WriteCsvTable writes, and what a spreadsheet program saves, one row at a time from a
// file read in chunks: UTF-8 with or without a byte-order mark, or GB18030 when the bytes are not
// UTF-8; fields separated by commas, semicolons or tabs (whichever the header line holds most of
// outside quotes); quoted fields with doubled quotes and line breaks inside; lines ended by CR LF,
// LF or CR. Cells come back as UTF-8, a text behind a formula guard (see NeedsFormulaGuard) without
// its one apostrophe. Blank lines are skipped but keep their row number.
class CsvTableReader {
public:
    // No spreadsheet holds more in a cell or a row; more is a damaged or hostile file.
    static constexpr std::size_t kMaxCellBytes = std::size_t{1} << 20;
    static constexpr std::size_t kMaxColumns = 16384;

    explicit CsvTableReader(const QString& path);

    // Opens the file and reads its header line; false with Error() set otherwise.
    bool Open();
    const std::vector<std::string>& Header() const { return header_; }
    char Delimiter() const { return delimiter_; }
    bool IsGb18030() const { return encoding_ == Encoding::kGb18030; }

    // The next data row; false at the end of the file, or on an error (Error().kind says which).
    bool NextRow(std::vector<std::string>& cells);
    // The row number of the row last handed out.
    std::size_t Row() const { return row_; }
    const CsvReadError& Error() const { return error_; }

    // Bytes the reader holds for the file (its chunk and the field being read): bounded by the
    // chunk size and kMaxCellBytes however large the file.
    std::size_t BufferedBytes() const { return buffer_.capacity() + field_.capacity(); }

private:
    enum class Encoding { kUndecided, kUtf8, kGb18030 };

    bool Fill();
    void DecideEncoding();
    int Peek();
    bool ReadRecord(std::vector<std::string>& cells);
    bool Append(char byte, std::size_t column);
    bool Decode(std::string& text) const;
    bool FinishField(std::vector<std::string>& cells);
    bool Fail(CsvReadError::Kind kind, std::size_t row, std::size_t column);

    QFile file_;
    std::string buffer_;
    std::size_t pos_ = 0;
    bool atEnd_ = false;
    Encoding encoding_ = Encoding::kUndecided;
    char delimiter_ = ',';
    std::string field_;
    bool fieldQuoted_ = false;
    std::size_t row_ = 0;
    std::vector<std::string> header_;
    CsvReadError error_;
};

}  // namespace zel
