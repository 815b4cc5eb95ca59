#pragma once

namespace zel {

class FlexGrid;
class IRecordset;

// Widths and alignments of the grid's columns for the recordset's fields: column i + 1 shows
// field i; column 0, the serial number, is narrow and right-aligned. Numbers ("i" + name) are
// right-aligned, everything else left. A column is as wide as its header text or its values
// (the field's declared size) need in the grid's fonts, within bounds that keep one column from
// filling the window. recordset may be nullptr: then only column 0 is set.
void FormatGridColumns(FlexGrid& grid, const IRecordset* recordset);

}  // namespace zel
