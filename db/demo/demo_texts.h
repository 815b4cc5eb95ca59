#pragma once

#include <string>

#include "db/demo/demo_outcome.h"
#include "host/objects/resource_texts.h"

namespace zel::demo {

// The builder's own messages, from its embedded resource table.
class DemoTexts {
public:
    static const ResourceTexts& Instance();
    // The resource key that words a failure.
    static std::string FailureKey(DemoFailure failure);
};

}  // namespace zel::demo
