#pragma once

#include <string>

#include "interfaces/object.h"

namespace zel {

// The host's login object, handed to the component's Show.
class ILogin : public IObject {
public:
    virtual std::string cUserId() const = 0;
    virtual std::string CurDate() const = 0;  // business date, yyyy-mm-dd
    virtual std::string ysDBName() const = 0;
    virtual std::string cAcc_Id() const = 0;
    virtual std::string cUserName() const = 0;
};

}  // namespace zel
