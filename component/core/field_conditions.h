#pragma once

#include <string>
#include <vector>

#include "core/correspondence_field.h"

namespace korvel {

// The parts joined by the separator.
std::string Joined(const std::vector<std::string>& parts, const std::string& separator);

// A condition that a stored column of the field holds the given value, an SQL expression of the
// field's type, or that both are null; codes compared without regard to letter case.
std::string SameOrBothNull(const CorrespondenceField& field, const std::string& stored,
                           const std::string& given);

}  // namespace korvel
