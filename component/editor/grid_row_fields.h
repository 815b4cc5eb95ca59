#pragma once

#include <optional>
#include <string_view>

#include "core/field_catalogue.h"

namespace korvel {

// Which catalogue caption a grid header names, compared without regard to ASCII case; nullopt
// for an empty header or one that names no caption. An empty caption (the dictionary could not
// be read) names no column, so empty headers never all land on the first empty caption.
std::optional<int> CaptionIndexOfHeader(const FieldCatalogue& catalogue, std::string_view header);
// Whether a caption's column is written back into the grid after a save: the unit-group and
// main-unit names are not.
bool IsWrittenBack(int captionIndex);

}  // namespace korvel
