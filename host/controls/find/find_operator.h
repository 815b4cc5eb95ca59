#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/controls/find/find_field.h"

namespace zel {

enum class FindOperator {
    kEqual,
    kNotEqual,
    kLess,
    kLessOrEqual,
    kGreater,
    kGreaterOrEqual,
    kBetween,
    kContains,
    kBeginsWith,
    kIsEmpty,
};

// The operators the dialog offers for a field: the pattern ones for free text only, and only
// equality and emptiness for a field with a fixed list of values.
std::vector<FindOperator> OperatorsFor(const FindField& field);

// The name a stored condition keeps for the operator, and back; nullopt for an unknown name.
std::string FindOperatorName(FindOperator op);
std::optional<FindOperator> FindOperatorNamed(const std::string& name);

// The resource key of the operator's text in the dialog.
std::string FindOperatorTextKey(FindOperator op);

}  // namespace zel
