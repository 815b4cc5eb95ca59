#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/controls/field_kind.h"

namespace zel {

// How a grid column is written to a file.
struct ExportColumn {
    FieldKind kind = FieldKind::kText;
    // Text: the declared length in characters, 0 when the field declares none; number: its
    // decimals; date: the length of yyyy-mm-dd.
    int size = 0;

    bool operator==(const ExportColumn&) const = default;
};

// The host describes the grid's columns for export in two texts with one entry per grid
// column, the serial number first, entries separated by commas:
//   types  "N,T,T,N,D"     T text, N number, D date
//   sizes  "0,20,60,2,10"  as ExportColumn::size
// The host writes them with the two functions below and the print control reads them back.
inline constexpr char kExportTextType = 'T';
inline constexpr char kExportNumberType = 'N';
inline constexpr char kExportDateType = 'D';
inline constexpr char kExportSeparator = ',';
inline constexpr int kExportDateSize = 10;

std::string ExportTypesText(const std::vector<ExportColumn>& columns);
std::string ExportSizesText(const std::vector<ExportColumn>& columns);

// One column per entry of types; an unknown type is text, a missing or unreadable size 0.
std::vector<ExportColumn> ReadExportColumns(std::string_view types, std::string_view sizes);

}  // namespace zel
