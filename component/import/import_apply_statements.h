#pragma once

#include <string>
#include <vector>

#include "import/import_plan.h"

namespace korvel {

struct LoginContext;

// The statements that write a chunk of imported rows set-based, in the host's dialect. The rows
// travel in the statement as a derived table v over a values list, one tuple per row (planned
// far faster than one select per row joined by union all): n, the row's place in the chunk,
// cWhCode, cInvCode, and for each field of the chunk has_F (whether the row sets F), old_F and
// new_F. Every value is an escaped literal, numbers cast for the server.
namespace ImportApplyStatements {

// n, then 1 or 0 for: the row is there now, the login may write it (its warehouse, item and
// storekeeper now and as written), it holds the values the preview read, it holds the values
// the import writes.
std::string StateQuery(const std::vector<const ImportRowOutcome*>& rows, const LoginContext& login);
// New rows: every field of the chunk, a field a row does not give left empty.
std::string Insert(const std::vector<const ImportRowOutcome*>& rows, const std::string& user,
                   const std::string& now);
// Changed rows: each row's own fields, only where the row still holds what the preview read.
std::string Update(const std::vector<const ImportRowOutcome*>& rows, const std::string& user,
                   const std::string& now);

}  // namespace ImportApplyStatements

}  // namespace korvel
