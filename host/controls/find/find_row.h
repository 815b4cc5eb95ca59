#pragma once

#include <string>

#include "host/controls/find/find_operator.h"

namespace zel {

// One line of the find dialog: "and/or field operator value [value2]". The values are as the
// user typed or chose them; the condition checks and quotes them.
struct FindRow {
    bool orJoin = false;  // joined to the lines before it by "or" instead of "and"
    std::string field;    // the field's name
    FindOperator op = FindOperator::kEqual;
    std::string value;
    std::string value2;  // the upper bound of "between"

    bool operator==(const FindRow&) const = default;
};

}  // namespace zel
