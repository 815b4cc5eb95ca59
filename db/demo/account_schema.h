#pragma once

#include <string>

namespace zel::demo {

class SqliteConnection;

// The host's account tables and settings, from the schema and seed embedded in the host library.
class AccountSchema {
public:
    // false with the reason in error.
    static bool Install(SqliteConnection& connection, std::string& error);

private:
    static bool RunEmbedded(SqliteConnection& connection, const char* resource, std::string& error);
};

}  // namespace zel::demo
