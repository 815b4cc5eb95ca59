#pragma once

#include <cstddef>
#include <string_view>

namespace zel {

// The column (1 for A) of a cell reference such as "D5"; 0 when the text is no reference.
// Columns past XFD are returned as they read, for the caller to refuse.
std::size_t ReferenceColumn(std::string_view reference);

}  // namespace zel
