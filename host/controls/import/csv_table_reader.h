#pragma once

#include <QFile>
#include <QStringDecoder>
#include <cstddef>
#include <string>
#include <vector>

#include "table_reader.h"

namespace zel {

// Reads what WriteCsvTable writes, and what a spreadsheet program saves, one row at a time from a
// file read in chunks: UTF-8 with or without a byte-order mark, or GB18030 when the bytes are not
// UTF-8; fields separated by commas, semicolons or tabs (whichever the header line holds most of
// outside quotes); quoted fields with doubled quotes and line breaks inside; lines ended by CR LF,
// LF or CR. Cells come back as UTF-8, a text behind a formula guard (see NeedsFormulaGuard) without
// its one apostrophe. Blank lines are skipped but keep their row number.
class CsvTableReader final : public TableReader {
public:
    explicit CsvTableReader(const QString& path);

    bool Open() override;
    const std::vector<std::string>& Header() const override { return header_; }
    char Delimiter() const { return delimiter_; }
    bool IsGb18030() const { return encoding_ == Encoding::kGb18030; }

    bool NextRow(std::vector<std::string>& cells) override;
    std::size_t Row() const override { return row_; }
    const TableReadError& Error() const override { return error_; }
    std::string Summary() const override;

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
    bool Fail(TableReadError::Kind kind, std::size_t row, std::size_t column);

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
    TableReadError error_;
};

}  // namespace zel
