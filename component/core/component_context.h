#pragma once

#include "core/field_catalogue.h"
#include "core/login_context.h"
#include "core/quantity_style.h"
#include "interfaces/object.h"

namespace korvel {

// Everything the windows of one component instance share: written by Show and by the main
// window's load, read by every window.
struct ComponentContext {
    LoginContext login;
    FieldCatalogue catalogue;
    QuantityStyle quantity;
    // Creates the objects a window needs for one use, such as the reference picker; set by Show.
    zel::IObjectFactory* factory = nullptr;
};

}  // namespace korvel
