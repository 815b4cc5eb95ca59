#pragma once

#include "core/component_context.h"

class QWidget;

namespace korvel {

// What the pieces of one modify request share with the window that raised it.
struct ModifyScope {
    ComponentContext& context;
    // Owner of the failure report.
    QWidget& window;
    // Set as soon as a row has changed: the main grid is refreshed when the window closes.
    bool& modifiedFlag;
};

}  // namespace korvel
