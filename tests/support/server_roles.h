#pragma once

#include <libpq-fe.h>

#include <optional>
#include <string>
#include <vector>

#include "host/database/server_account_security.h"
#include "support/test_database.h"

namespace zel::test {

// Login roles on the test server for one test's account, dropped with the object together with
// the account's group roles. Roles belong to the whole server, so each name starts with the
// account's database name, which no other test shares. Declare it after the TestDatabase.
class ServerRoles {
public:
    explicit ServerRoles(const TestDatabase& db);
    ServerRoles(const ServerRoles&) = delete;
    ServerRoles& operator=(const ServerRoles&) = delete;
    ~ServerRoles();

    // The account's database name.
    const std::string& Database() const { return database_; }
    // A login role named <database>_<suffix>, member of the given roles; its name.
    std::string AddLogin(const std::string& suffix, const std::vector<std::string>& memberOf = {},
                         const std::string& attributes = "");
    // A role made by someone else (the account's group roles), to drop with the others.
    void DropAtEnd(const std::string& role) { roles_.push_back(role); }
    // Makes the account's rights hold as its owner does (SecureServerAccount) and drops its two
    // group roles at the end; nullopt with the server's reason in error when it cannot.
    std::optional<AccountRoles> SecureAccount(std::string& error);
    // The connection text of the account as a login.
    std::string ConninfoOf(const std::string& login) const;

private:
    bool RunAsOwner(const std::string& conninfo, const std::string& sql) const;

    std::string account_;  // the account's connection text, as its owner
    std::string server_;
    std::string database_;
    std::vector<std::string> roles_;
};

// One libpq session of its own, for statements a login sends however it likes.
class ServerSession {
public:
    explicit ServerSession(const std::string& conninfo);
    ServerSession(const ServerSession&) = delete;
    ServerSession& operator=(const ServerSession&) = delete;
    ~ServerSession();

    struct Outcome {
        bool ok = false;
        std::string sqlState;  // "42501" for a right the login lacks
        long rows = 0;         // rows changed or returned
        std::string error;
    };
    Outcome Run(const std::string& sql);
    // The first column of every row, in order.
    std::vector<std::string> Column(const std::string& sql);
    PGconn* Handle() const { return connection_; }

private:
    PGconn* connection_;
};

}  // namespace zel::test
