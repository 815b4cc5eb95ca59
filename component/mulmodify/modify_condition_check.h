#pragma once

#include <string>

#include "core/component_context.h"
#include "mulmodify/modifiable_field.h"

namespace korvel {

// Checks the new value of the field and narrows the condition so that no row is brought into an
// inconsistent state (a limit beyond another limit, a cycle unit its check day does not fit).
// The condition must already be wrapped in parentheses: each fragment is appended with " and".
// True = go on; on false the user has been told why (by this check or by the host's).
bool CheckModifyCondition(ComponentContext& context, std::string& condition,
                          const std::string& caption, const ModifiableField& field,
                          const std::string& value);

}  // namespace korvel
