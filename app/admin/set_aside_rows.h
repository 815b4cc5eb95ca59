#pragma once

#include <optional>
#include <string>

namespace zel {

class SqlBackend;

// The rows an upgrade set aside in the account (the tables <table>_set_aside), for scripts: a
// line per row with the table, the rule the row broke, when and from which schema version it
// was set aside, then name=value for each of the row's values, separated by tabs. A value
// without a value is left out; a backslash, tab or line break in a value is written \\, \t, \n or
// \r. nullopt with the backend's error when the account refused a read.
std::optional<std::string> SetAsideLines(SqlBackend& backend, bool onServer);

}  // namespace zel
