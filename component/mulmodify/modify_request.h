#pragma once

#include <string>

#include "mulmodify/modify_scope.h"

namespace korvel {

// One bulk change as the condition control delivers it: checks the field and value, narrows the
// condition, counts the matching rows (within the user's inventory and warehouse read rights),
// then changes a key field row by row, or, once the user has confirmed the count, any other
// field in one statement. Every outcome is told to the user; nothing escapes.
void Find_ModifyRequest(ModifyScope& scope, const std::string& condition,
                        const std::string& caption, const std::string& field,
                        const std::string& value);

}  // namespace korvel
