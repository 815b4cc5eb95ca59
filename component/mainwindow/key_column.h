#pragma once

#include <optional>
#include <string_view>

#include "host/controls/flex_grid.h"

namespace korvel {

// The first column whose header is the caption, compared without regard to case; the host may
// have moved or hidden columns, so the headers are read each time.
std::optional<int> KeyColumn(const zel::FlexGrid& grid, std::string_view caption);

}  // namespace korvel
