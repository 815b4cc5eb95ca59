#include "host/host_services.h"

namespace zel {

void RegisterHostServices(ObjectRegistry&, std::shared_ptr<HostEnvironment>) {}

}  // namespace zel
