#pragma once

#include <string>
#include <vector>

namespace zel {

class FlexGrid;

enum class FindFieldType { kText, kNumber, kDate };

// A field the find dialog offers: a grid column read straight from a table column.
struct FindField {
    std::string name;     // as the query result names it: "iTopSum"
    std::string source;   // the column the condition compares: "WhInvContrapose.iTopSum"
    std::string caption;  // the grid's header text
    FindFieldType type = FindFieldType::kText;
    // The only values the field holds, as stored; empty when any value may be typed.
    std::vector<std::string> choices;
};

// The grid's columns after the serial number that come from a table column, in grid order.
std::vector<FindField> FindFieldsOf(const FlexGrid& grid);

// The type the field's name gives by the naming rule: i number, d date, anything else text.
FindFieldType FindFieldTypeOf(const std::string& name);

}  // namespace zel
