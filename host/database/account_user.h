#pragma once

#include <memory>
#include <optional>
#include <string>

#include "host/objects/account_directory.h"
#include "host/objects/shared_connections.h"

namespace zel {

class AccountConnection;

// Who a program acts as on an account, settled before it shows or reads anything of it.
struct AccountUser {
    enum class Refusal {
        None,
        // The account cannot be opened, so nobody can be established on it.
        Unreachable,
        // A server account was asked for a user other than the server login.
        NotTheLogin,
        // The user has no row in the account's user table.
        NotAUser,
        // The user table could not be read.
        Unchecked,
    };

    Refusal refusal = Refusal::None;
    // The account as a message or a printout names it. A connection text given as the account's
    // name is never repeated, for it may hold a password: the database or service it names
    // stands for it.
    std::string account;
    // With Refusal::None: the user code to act as.
    std::string userId;
    // Otherwise: the message for the user, from the resource texts, naming the account and the
    // user.
    std::string reason;
    // The engine's own words for a failure, for a log or a script's standard error, the
    // connection text replaced by the account; may be empty.
    std::string detail;
    // With Refusal::None: the connection the user was established on, one of the program's
    // shared connections. While it is held, the services bound to the account use it rather
    // than connect again, which on a server costs a new session.
    std::shared_ptr<AccountConnection> connection;

    bool Established() const { return refusal == Refusal::None; }
};

// The user a program acts as on the account ysDBName. On a server account it is the server
// login: whoever holds the login is the user, so requestedUser may only repeat it (ASCII letter
// case aside, as user codes compare) and is refused otherwise, an administrator's included. On a
// SQLite file, one person's file on one machine, it is requestedUser, "demo" when none is given.
// Either way the user must have a row in the account's user table. The account is opened
// through connections, the program's shared ones.
AccountUser EstablishAccountUser(const AccountDirectory& accounts, SharedConnections& connections,
                                 const std::string& ysDBName,
                                 const std::optional<std::string>& requestedUser);

}  // namespace zel
