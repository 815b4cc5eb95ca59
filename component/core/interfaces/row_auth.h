#pragma once

#include <string>

#include "interfaces/object.h"

namespace zel {

// ProgID ZelRowAuthsvr.clsRowAuth: row-level rights of one user.
class IRowAuth : public IObject {
public:
    virtual void Init(const std::string& ysDBName, const std::string& userId) = 0;
    // "1=2": no row allowed; "": no restriction; otherwise the allowed ids (Inventory) or quoted
    // codes (Warehouse, Person) separated by commas. right "W" asks for write rights.
    virtual std::string GetAuthString(const std::string& objectName,
                                      const std::string& reserved = "",
                                      const std::string& right = "") = 0;
};

}  // namespace zel
