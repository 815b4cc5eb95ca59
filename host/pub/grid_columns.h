#pragma once

namespace zel {

class FlexGrid;
class IRecordset;

// Widths and alignments of the grid's columns for the recordset's fields: column i + 1 shows
// field i; column 0, the serial number, is narrow and right-aligned. Numbers ("i" + name) are
// right-aligned, everything else left. The recordset usually holds no rows yet, so a column is
// first as wide as its header text or a few characters of its kind need, and is then fitted to
// its header and its first rows when the grid's fill shows them; a bound keeps one column from
// filling the window. Columns the user has sized keep their widths. recordset may be nullptr:
// then only column 0 is set.
void FormatGridColumns(FlexGrid& grid, const IRecordset* recordset);

}  // namespace zel
