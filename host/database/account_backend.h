#pragma once

#include <memory>

#include "host/database/sql_backend.h"
#include "host/objects/account_directory.h"

namespace zel {

// A backend of the engine the account lives on, not yet opened.
std::unique_ptr<SqlBackend> NewBackendFor(const DatabaseLocation& location);

}  // namespace zel
