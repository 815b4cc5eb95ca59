#pragma once

#include <string>
#include <string_view>

namespace zel {

class PostgresBackend;

// The two group roles that carry one server account's rights. Roles belong to the whole server,
// so their names carry the account's database name: an administrator of one account is nobody
// in another on the same server.
struct AccountRoles {
    std::string users;   // reads the account, writes the correspondence rows its grants allow
    std::string admins;  // also writes the master tables, the users and the row grants
};

// "whinv_<database>_users" and "whinv_<database>_admins".
AccountRoles AccountRolesOf(std::string_view databaseName);

// Makes an account's rights hold on the server: its tables and row policies (the account
// schema, run again), its two group roles when missing, the grants on every table and
// sequence, and an administrator row in aa_user for the login that runs it. Needs the owner of
// the account's tables with CREATEROLE (or a superuser); false with a message that says which
// privilege is missing in error. Run by a superuser, it also marks citext's comparisons
// leakproof in the account's database, without which the server cannot use an index for a
// condition of a login bound by the row policies.
bool SecureServerAccount(PostgresBackend& backend, std::string& error);

// Whether the account's code comparisons are marked leakproof, so that a statement of a login
// bound by the row policies reads through the indexes instead of the whole table.
bool PoliciesUseIndexes(PostgresBackend& backend);

}  // namespace zel
