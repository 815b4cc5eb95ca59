#pragma once

#include <string>
#include <vector>

namespace zel::test {

// Roles a test makes on the test server, dropped when it ends: unlike the account's database
// they belong to the whole server. Declare it before the TestDatabase, so that the database,
// which holds the roles' rights, is dropped first.
class ServerRoles {
public:
    ServerRoles() = default;
    ServerRoles(const ServerRoles&) = delete;
    ServerRoles& operator=(const ServerRoles&) = delete;
    ~ServerRoles();

    // A role name no other test and no other run uses, dropped at the end; short enough for a
    // user code.
    std::string Unique(const std::string& stem);
    void DropAtEnd(const std::string& role);

private:
    std::vector<std::string> roles_;
};

}  // namespace zel::test
