#include "host/database/register_database_service.h"

#include "host/database/cls_common.h"

namespace zel {

void RegisterDatabaseService(ObjectRegistry& registry,
                             std::shared_ptr<HostEnvironment> environment) {
    registry.Register("ZelSrvTrans.IClsCommon", [environment](IObjectFactory&) {
        return std::static_pointer_cast<IObject>(std::make_shared<ClsCommon>(environment));
    });
}

}  // namespace zel
