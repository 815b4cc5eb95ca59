#include "host/pub/register_pub_service.h"

#include "host/pub/pub_service.h"

namespace zel {

void RegisterPubService(ObjectRegistry& registry, std::shared_ptr<HostEnvironment> environment) {
    registry.Register("ZelPub.IPub", [environment](IObjectFactory& factory) {
        return std::make_shared<PubService>(environment, factory);
    });
}

}  // namespace zel
