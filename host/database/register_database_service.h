#pragma once

#include <memory>

#include "host/objects/host_environment.h"
#include "host/objects/object_registry.h"

namespace zel {

// Serves "ZelSrvTrans.IClsCommon": every creation gives a new, unconnected ClsCommon.
void RegisterDatabaseService(ObjectRegistry& registry,
                             std::shared_ptr<HostEnvironment> environment);

}  // namespace zel
