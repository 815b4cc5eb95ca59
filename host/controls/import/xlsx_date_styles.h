#pragma once

#include <string_view>
#include <vector>

namespace zel {

// Whether a number format shows a date: y, d, or m without h or s (minutes), outside quoted
// literals, escaped characters and [colour or locale] brackets.
bool IsDateFormatCode(std::string_view code);

// For each cell style (the s of a cell) of a styles part, whether it shows its number as a
// date: a built-in format that shows a day (time-only ones are numbers) or a defined one that
// IsDateFormatCode takes. Empty when the part cannot be read.
std::vector<bool> ReadDateStyles(std::string_view stylesXml);

}  // namespace zel
