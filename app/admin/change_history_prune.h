#pragma once

#include <optional>
#include <string>

namespace zel {

class SqlBackend;

// Removes the entries of the account's change history made before a day (yyyy-mm-dd), inside
// the caller's transaction; how many entries it removed, nullopt with the backend's error when
// the account refused. On a server the account's own function does it, which only an
// administrator may call; a file is its owner's.
std::optional<long> PruneChangeHistory(SqlBackend& backend, bool onServer,
                                       const std::string& before);

}  // namespace zel
