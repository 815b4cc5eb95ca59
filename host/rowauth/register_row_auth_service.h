#pragma once

#include "host/objects/object_registry.h"

namespace zel {

// Registers ZelRowAuthsvr.clsRowAuth; each instance opens its database through the registry.
void RegisterRowAuthService(ObjectRegistry& registry);

}  // namespace zel
