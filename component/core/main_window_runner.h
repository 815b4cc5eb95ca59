#pragma once

#include <functional>

#include "core/component_context.h"

namespace korvel {

// Shows the main window modally over a bound context and returns when it has closed.
using MainWindowRunner = std::function<void(ComponentContext&)>;

}  // namespace korvel
