#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "interfaces/pub.h"

namespace korvel {

// What a date field the user filled in is saved as: "" for a blank field, yyyy-mm-dd for a date
// the host's date rule reads; nullopt for any other text, after the user was told why, naming
// the field's caption. Every window that saves a date checks it here, so that one refuses what
// another refuses.
std::optional<std::string> CheckedDate(zel::IPub& pub, std::string_view typed,
                                       const std::string& caption);

}  // namespace korvel
