#include "host/rowauth/register_row_auth_service.h"

#include "host/rowauth/row_auth_service.h"

namespace zel {

void RegisterRowAuthService(ObjectRegistry& registry) {
    registry.Register("ZelRowAuthsvr.clsRowAuth", [](IObjectFactory& factory) {
        return std::make_shared<RowAuthService>(factory);
    });
}

}  // namespace zel
