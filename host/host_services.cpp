#include "host/host_services.h"

#include "host/database/register_database_service.h"
#include "host/pub/register_pub_service.h"
#include "host/refer/register_refer_client.h"
#include "host/rowauth/register_row_auth_service.h"

namespace zel {

void RegisterHostServices(ObjectRegistry& registry, std::shared_ptr<HostEnvironment> environment) {
    RegisterPubService(registry, environment);
    RegisterDatabaseService(registry, environment);
    RegisterRowAuthService(registry);
    RegisterReferClient(registry, environment);
}

}  // namespace zel
