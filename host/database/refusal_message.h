#pragma once

#include <string>

#include "host/database/sql_backend.h"

namespace zel {

// The user's wording of a write that a rule of the schema refused, from the host's resource
// texts; empty when the backend's last failure was no such refusal. The schema names each check
// after the text that explains it (Zel.HOST.DB.<name>); a unique key is worded per table
// (Zel.HOST.DB.duplicate.<table>). A reference refuses a row that names a missing one, or the
// deletion of a row that others still name (deleting). A server's refusal of a right the user
// lacks is worded alike, whichever right it was.
std::string RefusalMessage(const SqlBackend& backend, bool deleting = false);

}  // namespace zel
