#pragma once

#include <functional>
#include <ostream>

#include "core/component_context.h"

namespace korvel {

// Shows the main window modally over a bound context and returns when it has closed.
using MainWindowRunner = std::function<void(ComponentContext&)>;

// Loads what the main window's load would (quantity style, catalogue) and writes the bound
// context to out instead of showing a window.
MainWindowRunner ReportingMainWindowRunner(std::ostream& out);

// One "name: value" line per context value.
void ReportContext(const ComponentContext& context, std::ostream& out);

}  // namespace korvel
