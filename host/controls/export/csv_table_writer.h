#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/controls/export/chunked_file.h"
#include "host/controls/export/export_columns.h"
#include "host/controls/export/table_writer.h"
#include "host/controls/print/print_data.h"

namespace zel {

// A spreadsheet runs a CSV field that begins with =, +, -, @, a tab or a carriage return as a
// formula (=HYPERLINK(...) opens a link). Such a text is written behind one apostrophe, inside
// the quotes: "'=1+1", which a spreadsheet shows as the text =1+1. A text that begins with an
// apostrophe itself gets one more, so that the rule reads back exactly: an importer takes one
// leading apostrophe off every text cell that has one, and nothing else. Numbers of a number
// column stay as they are, the minus of -5 included.
constexpr char kFormulaGuard = '\'';
bool NeedsFormulaGuard(std::string_view text);

// Writes the header and the rows as CSV: UTF-8 with a byte-order mark (so that spreadsheet
// programs read the Chinese texts right), fields quoted where they hold a comma, a quote or a
// line break (quotes doubled), lines ended by CR LF, text cells guarded against formulas as
// NeedsFormulaGuard says. A cell of a number column that reads as a number is written as it is;
// every other cell, and every header, is text.
class CsvTableWriter final : public TableWriter {
public:
    explicit CsvTableWriter(const std::string& path);

    bool Begin(const TableHeading& heading) override;
    bool AddRow(std::span<const std::string_view> cells) override;
    bool Finish() override;
    std::string Reason() const override;

private:
    ChunkedFile file_;
    std::vector<bool> numberColumns_;
    std::string line_;
};

// The data through a CsvTableWriter; false with the system's reason.
bool WriteCsvTable(const std::string& path, const PrintData& data,
                   const std::vector<ExportColumn>& columns, std::string& reason);

}  // namespace zel
