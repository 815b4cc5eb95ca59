#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zel {

// Why a table file could not be read to its end. Rows and columns count from 1, the header line
// being row 1, as a spreadsheet numbers them; 0 where the failure is not in a cell.
struct TableReadError {
    enum class Kind {
        kNone,
        kReadFailed,
        kEmptyFile,
        kUnclosedQuote,
        kCellTooLarge,
        kTooManyColumns,
        kInvalidEncoding,
        // A workbook (XLSX) that cannot be read.
        kNotWorkbook,
        kDamagedArchive,
        kNoSuchSheet,
        kEntryTooLarge,
        kTooManyRows,
        kRowTooLarge,
        kMalformedSheet,
    };

    Kind kind = Kind::kNone;
    std::size_t row = 0;
    std::size_t column = 0;
    // The worded reason a user is shown.
    std::string message;
};

// A spreadsheet's rows handed out one at a time, whatever the file's format: the first row is the
// header, every cell comes back as UTF-8 text.
class TableReader {
public:
    // No spreadsheet holds more in a cell or a row; more is a damaged or hostile file.
    static constexpr std::size_t kMaxCellBytes = std::size_t{1} << 20;
    static constexpr std::size_t kMaxColumns = 16'384;

    virtual ~TableReader() = default;

    // Opens the file and reads its header row; false with Error() set otherwise.
    virtual bool Open() = 0;
    virtual const std::vector<std::string>& Header() const = 0;
    // The next data row; false at the end of the file, or on an error (Error().kind says which).
    virtual bool NextRow(std::vector<std::string>& cells) = 0;
    // The row number of the row last handed out.
    virtual std::size_t Row() const = 0;
    virtual const TableReadError& Error() const = 0;

    // The sheets the file holds, for a window to offer; empty for a format without sheets.
    virtual std::vector<std::string> SheetNames() const { return {}; }
    // How the file is being read, worded for a preview: the encoding and the delimiter, or the
    // sheet. Known once Open has succeeded; empty for a format with nothing to tell.
    virtual std::string Summary() const { return {}; }
};

}  // namespace zel
