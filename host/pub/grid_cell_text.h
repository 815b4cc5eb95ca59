#pragma once

#include <string>
#include <string_view>

#include "interfaces/variant.h"

namespace pugi {
class xml_node;
}

namespace zel {

// The text a grid cell shows for a field's value: "" for Null; with the number of decimals the
// style gives the field (a child named as the lower-cased field, <style><itopsum>2</itopsum>
// ...</style>) a number with exactly that many; other numbers in plain decimals, whole ones
// without ".0"; a date field's ("d" + name) date as yyyy-mm-dd; any other text as it is.
// Runs for every cell of large grids: nothing but the result is allocated for usual names.
std::string GridCellText(const Variant& value, std::string_view field, const pugi::xml_node& style);

}  // namespace zel
