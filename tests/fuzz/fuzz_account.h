#pragma once

#include "host/database/sql_backend.h"

namespace zel::fuzz {

// One SQLite account database for the whole run, in a folder of its own that goes with the
// process: warehouse 01, items A001 and A002, person P01, and the seed's administrator "demo".
// Aborts when it cannot be made, as a target without it would test nothing.
SqlBackend& Account();

}  // namespace zel::fuzz
