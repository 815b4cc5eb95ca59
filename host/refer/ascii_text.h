#pragma once

#include <string_view>

// Codes and names compare without regard to the case of ASCII letters, by the host's one routine.
#include "host/objects/host_text.h"

namespace zel {

// Empty or only spaces, tabs and line breaks.
bool IsBlank(std::string_view text);

}  // namespace zel
