#include "host/refer/reference_kind.h"

#include "host/refer/ascii_text.h"

namespace zel {

ReferenceKind ReferenceKind::Of(std::string_view referenceType) {
    const std::string type = AsciiLower(referenceType);
    if (type == "inventory") {
        return {"参照 - 存货", "Inventory", "cInvCode", "cInvName", true};
    }
    if (type == "warehouse") {
        return {"参照 - 仓库", "Warehouse", "cWhCode", "cWhName", false};
    }
    if (type == "person") {
        return {"参照 - 人员", "Person", "cPersonCode", "cPersonName", false};
    }
    return {"参照", std::string(referenceType), "", "", false};
}

}  // namespace zel
