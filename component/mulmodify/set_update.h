#pragma once

#include <string>

#include "mulmodify/modifiable_field.h"
#include "mulmodify/modify_scope.h"

namespace korvel {

// Sets a field other than the keys on every matching row in one statement (all rows or none),
// and tells the user the result. matchingTail is the from-and-where of the matching query, so
// the statement changes exactly the rows that query counted.
void RunSetUpdate(ModifyScope& scope, const ModifiableField& field,
                  const std::string& fieldAsDelivered, const std::string& value,
                  const std::string& matchingTail);

// The new value as an SQL literal: NULL for an empty value, the stored code for a cycle unit,
// the stored form for a date.
std::string SetUpdateLiteral(const ComponentContext& context, const ModifiableField& field,
                             const std::string& value);

}  // namespace korvel
