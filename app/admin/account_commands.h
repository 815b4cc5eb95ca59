#pragma once

#include <optional>

#include "app/admin/account_users.h"
#include "app/admin/admin_outcome.h"
#include "app/admin/server_logins.h"

namespace zel {

// One command of whinv-admin on an open account: its rows, and on a server its roles, changed
// together or not at all. server is given exactly when the account is on a server.
class AccountCommands {
public:
    AccountCommands(const AdminRequest& request, SqlBackend& backend,
                    std::optional<ServerLogins> server);

    AdminOutcome Run();

private:
    AdminOutcome AddUser();
    AdminOutcome RemoveUser();
    AdminOutcome Grant();
    AdminOutcome Revoke();
    AdminOutcome List();
    AdminOutcome PruneHistory();
    AdminOutcome ListSetAside();

    std::optional<AdminOutcome> RefuseUnknownUser();
    AdminOutcome Unreadable();
    AdminOutcome Commit(const std::string& text);
    // Rolls the failed change back first: a transaction that failed answers nothing more.
    AdminOutcome Abandon(ServerChange change);
    // What the running login lacks for the change when the server tells, else the account's
    // reason worded by key.
    AdminOutcome Failure(const std::string& said, ServerChange change, const char* key);

    const AdminRequest& request_;
    SqlBackend& backend_;
    std::optional<ServerLogins> server_;
    AccountUsers users_;
};

}  // namespace zel
