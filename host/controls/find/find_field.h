#pragma once

#include <string>
#include <vector>

#include "host/controls/field_kind.h"

namespace zel {

class FlexGrid;

// A field the find dialog offers: a grid column read straight from a table column.
struct FindField {
    std::string name;     // as the query result names it: "iTopSum"
    std::string source;   // the column the condition compares: "WhInvContrapose.iTopSum"
    std::string caption;  // the grid's header text
    FieldKind type = FieldKind::kText;
    // The only values the field holds, as stored; empty when any value may be typed.
    std::vector<std::string> choices;
};

// The grid's columns after the serial number that come from a table column, in grid order.
std::vector<FindField> FindFieldsOf(const FlexGrid& grid);

}  // namespace zel
