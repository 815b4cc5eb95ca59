#pragma once

#include <string>

#include "interfaces/variant.h"

namespace zel {

// A number as text with exactly `digits` decimals, rounded half away from zero on its shortest
// decimal form (so 2.675 gives "2.68", as the user typed it, not the binary neighbour's "2.67").
// Always a dot, whatever the locale. "" when the value is Null or not a number; with negative
// digits the value's own text.
std::string DecimalText(const Variant& value, short digits);

}  // namespace zel
