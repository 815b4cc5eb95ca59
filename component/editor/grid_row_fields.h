#pragma once

#include <optional>
#include <string_view>

#include "core/correspondence_row.h"
#include "core/field_catalogue.h"
#include "host/controls/flex_grid.h"

namespace korvel {

// Which catalogue caption a grid header names, compared without regard to ASCII case; nullopt
// for an empty header or one that names no caption. An empty caption (the dictionary could not
// be read) names no column, so empty headers never all land on the first empty caption.
std::optional<int> CaptionIndexOfHeader(const FieldCatalogue& catalogue, std::string_view header);
// Whether a caption's column is written back into the grid after a save: the unit-group and
// main-unit names are not.
bool IsWrittenBack(int captionIndex);

// The fields of a grid row, found by the grid's headers whatever the order of its columns; a
// field the grid has no column for stays unset.
CorrespondenceRow RowOfGrid(const FieldCatalogue& catalogue, const zel::FlexGrid& grid, int row);
// Writes the fields a saved modify writes back into the grid row's cells.
void WriteBackToGrid(const FieldCatalogue& catalogue, const CorrespondenceRow& values,
                     zel::FlexGrid& grid, int row);

}  // namespace korvel
