#pragma once

#include <pugixml.hpp>

#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/controls/import/table_reader.h"
#include "host/controls/import/xlsx_shared_strings.h"
#include "host/controls/import/xlsx_workbook.h"
#include "host/controls/import/xml_element_stream.h"
#include "host/controls/import/zip_entry_stream.h"

namespace zel {

// Reads one sheet of a workbook (XLSX) row by row: the sheet's part is inflated in chunks and
// each row element parsed alone, so memory stays bounded by one row however long the sheet
// (only the shared strings table is held whole, bounded by XlsxSharedStrings).
// Cells come back as the file stores them: numbers exactly as written (never through a
// double), texts from the shared strings or inline, rich text joined, booleans as TRUE or
// FALSE, formulas as their last computed value, and numbers in a date format as yyyy-mm-dd.
// Cells the sheet leaves out before the last one of a row come back empty; rows without any
// text are skipped, and Row() is the sheet's own row number. A text keeps a leading
// apostrophe: the program's export writes every text as text, never behind a guard.
class XlsxTableReader final : public TableReader {
public:
    static constexpr std::size_t kMaxRows = 1'048'576;
    // A sheet's part may inflate to no more; nor may a row element hold more markup.
    static constexpr std::uint64_t kMaxSheetBytes = std::uint64_t{1} << 30;
    static constexpr std::size_t kMaxRowBytes = std::size_t{32} << 20;

    // An empty sheet name chooses the first sheet.
    XlsxTableReader(const QString& path, std::string sheet);

    bool Open() override;
    const std::vector<std::string>& Header() const override { return header_; }
    bool NextRow(std::vector<std::string>& cells) override;
    std::size_t Row() const override { return row_; }
    const TableReadError& Error() const override { return error_; }
    std::vector<std::string> SheetNames() const override;
    std::string Summary() const override;

    // Bytes held for the sheet being read (the row being parsed and a chunk): bounded by
    // kMaxRowBytes however long the sheet.
    std::size_t BufferedBytes() const { return rows_ ? rows_->BufferedBytes() : 0; }
    std::size_t SharedStringBytes() const { return strings_.HeldBytes(); }

private:
    bool OpenParts();
    bool ReadSharedStrings();
    bool ReadRow(std::vector<std::string>& cells);
    bool TakeRow(const pugi::xml_node& row, std::vector<std::string>& cells);
    bool TakeCell(const pugi::xml_node& cell, std::vector<std::string>& cells);
    bool CellText(const pugi::xml_node& cell, std::size_t column, std::string& text);
    bool FailArchive(ZipFault fault, const std::string& entry);
    bool Fail(TableReadError::Kind kind, std::size_t row, std::size_t column,
              const std::string& detail = {});

    QString path_;
    std::string sheet_;
    ZipArchiveReader zip_;
    XlsxWorkbook workbook_;
    XlsxSharedStrings strings_;
    std::vector<bool> dateStyles_;
    std::unique_ptr<ZipEntryStream> entry_;
    std::unique_ptr<XmlElementStream> rows_;
    pugi::xml_document rowDoc_;
    std::size_t row_ = 0;
    std::vector<std::string> header_;
    TableReadError error_;
};

}  // namespace zel
