#pragma once

#include <optional>
#include <string>

#include "host/database/server_account_security.h"
#include "host/database/single_value.h"

namespace zel {

class SqlBackend;

// What a change on a server needs besides rights on the account's tables.
enum class ServerChange {
    Rows,   // the users and grants tables
    Roles,  // a login role, or who belongs to the account's roles
};

// What a user's login role was found as, or made.
enum class LoginRole { Made, Found, FoundWithoutLogin };

// The login roles of an account's users on its server and their place in the account's two
// group roles. Role names reach the server as values and come back quoted by it (format's %I),
// so that no name is ever pasted into a statement.
class ServerLogins {
public:
    // The account's roles are named after the database the connection is on; nullopt when the
    // server does not tell it.
    static std::optional<ServerLogins> Of(SqlBackend& server);

    const AccountRoles& Roles() const { return roles_; }
    const std::string& CurrentLogin() const { return login_; }

    // Makes a login role without a password for the user when the server has no role of that
    // name; a role found is left as it is, since it may serve elsewhere.
    std::optional<LoginRole> EnsureLogin(const std::string& id);
    // Puts the role in the users role, and in the admins role exactly when admin.
    bool SetMembership(const std::string& id, bool admin);
    // Takes a role that exists out of both of the account's roles.
    bool LeaveRoles(const std::string& id);

    // After a change failed and was rolled back: what the running login lacks for it, in the
    // operator's words; empty when it lacks nothing the tool knows of.
    std::string MissingPrivilege(ServerChange change);

private:
    ServerLogins(SqlBackend& server, std::string database, std::string login);
    // Runs the statement the server writes from a pattern with %I for each role name.
    bool RunQuoted(const char* pattern, const std::string& first, const std::string& second = {});
    SingleValue RoleOf(const std::string& id);
    bool SetMember(const std::string& group, const std::string& id, bool member);

    SqlBackend* server_;
    AccountRoles roles_;
    std::string login_;
};

}  // namespace zel
