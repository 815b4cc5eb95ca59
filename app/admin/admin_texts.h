#pragma once

#include "host/objects/resource_texts.h"

namespace zel {

// whinv-admin's own messages, from its embedded resource table.
const ResourceTexts& AdminTexts();

}  // namespace zel
