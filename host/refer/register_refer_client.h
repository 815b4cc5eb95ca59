#pragma once

#include <memory>

#include "host/objects/host_environment.h"
#include "host/objects/object_registry.h"

namespace zel {

// Serves "YsReferC.YsReferClient": a new picker for every look-up, reading through the registry's
// database service and showing itself through the environment's dialog presenter.
void RegisterReferClient(ObjectRegistry& registry, std::shared_ptr<HostEnvironment> environment);

}  // namespace zel
