#include "host/refer/register_refer_client.h"

#include "host/refer/refer_client.h"

namespace zel {

void RegisterReferClient(ObjectRegistry& registry, std::shared_ptr<HostEnvironment> environment) {
    registry.Register("YsReferC.YsReferClient", [environment](IObjectFactory& factory) {
        return std::make_shared<ReferClient>(environment, factory);
    });
}

}  // namespace zel
