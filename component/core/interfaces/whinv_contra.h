#pragma once

#include <memory>

#include "interfaces/login.h"
#include "interfaces/object.h"

namespace zel {

// ProgID Korvel.IWhInvContra: the component's one public class.
class IWhInvContra : public IObject {
public:
    // Returns when the main window has closed, or at once after a start-up failure.
    virtual void Show(std::shared_ptr<ILogin>& oLogin) = 0;
};

}  // namespace zel
