#include "host/refer/reference_kind.h"

#include "host/refer/ascii_text.h"

namespace zel {

ReferenceKind ReferenceKind::Of(std::string_view referenceType) {
    const std::string type = AsciiLower(referenceType);
    if (type == "inventory") {
        return {"参照 - 存货", "cInvCode", "cInvName", true};
    }
    if (type == "warehouse") {
        return {"参照 - 仓库", "cWhCode", "cWhName", false};
    }
    if (type == "person") {
        return {"参照 - 人员", "cPersonCode", "cPersonName", false};
    }
    return {"参照", "", "", false};
}

}  // namespace zel
