#pragma once

#include "core/field_catalogue.h"
#include "core/login_context.h"
#include "core/quantity_style.h"

namespace korvel {

// Everything the windows of one component instance share: written by Show and by the main
// window's load, read by every window.
struct ComponentContext {
    LoginContext login;
    FieldCatalogue catalogue;
    QuantityStyle quantity;
};

}  // namespace korvel
