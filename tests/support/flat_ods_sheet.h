#pragma once

#include <pugixml.hpp>

#include <cstddef>
#include <string>

namespace zel::test {

// The first sheet of a flat OpenDocument spreadsheet (.fods) as LibreOffice writes it, with cells
// changed as a user types them: a test changes a workbook this way between two runs of
// LibreOffice, which then writes the workbook back in its own manner. Rows and columns count from
// 1, as a spreadsheet numbers them.
class FlatOdsSheet {
public:
    bool Load(const std::string& path);
    bool Save(const std::string& path) const;

    // The cell's text as the sheet shows it; "" for an empty cell or one past the end.
    std::string Text(std::size_t row, std::size_t column) const;
    // The first column whose header (row 1) reads caption; 0 when none does.
    std::size_t ColumnOf(const std::string& caption) const;
    // The first row from 2 on whose cell in column reads text; 0 when none does.
    std::size_t RowOf(std::size_t column, const std::string& text) const;

    // The cell's value and type replaced, its style (and so its number format) kept. value is
    // written as typed: a number in the file's decimal form ("12.345678"), a date as yyyy-mm-dd.
    void SetNumber(std::size_t row, std::size_t column, const std::string& value);
    void SetText(std::size_t row, std::size_t column, const std::string& text);
    void SetDate(std::size_t row, std::size_t column, const std::string& isoDate);

private:
    pugi::xml_node Table() const;
    // The cell's own element, split out of a run of repeated rows or cells as needed; a failure of
    // the current test and a null node when the sheet has no such cell.
    pugi::xml_node EditableCell(std::size_t row, std::size_t column);
    pugi::xml_node FoundCell(std::size_t row, std::size_t column) const;

    pugi::xml_document document_;
};

}  // namespace zel::test
