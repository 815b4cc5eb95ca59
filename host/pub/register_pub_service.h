#pragma once

#include <memory>

#include "host/objects/host_environment.h"
#include "host/objects/object_registry.h"

namespace zel {

// Registers ZelPub.IPub; every instance shares the environment and creates through the registry.
void RegisterPubService(ObjectRegistry& registry, std::shared_ptr<HostEnvironment> environment);

}  // namespace zel
