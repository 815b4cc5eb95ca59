#pragma once

#include <memory>

#include "host/objects/host_environment.h"
#include "host/objects/object_registry.h"

namespace zel {

// Registers the host's own services (ZelPub.IPub, ZelSrvTrans.IClsCommon,
// ZelRowAuthsvr.clsRowAuth, ...) in a registry, all sharing one environment.
void RegisterHostServices(ObjectRegistry& registry, std::shared_ptr<HostEnvironment> environment);

}  // namespace zel
