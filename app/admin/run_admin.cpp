#include "app/admin/run_admin.h"

#include <memory>

#include "app/admin/account_commands.h"
#include "app/admin/server_logins.h"
#include "host/database/account_backend.h"
#include "host/database/account_database.h"
#include "host/database/hidden_passwords.h"
#include "host/database/postgres/postgres_backend.h"

namespace zel {
namespace {

AdminOutcome InitFile(const std::string& database, const std::string& path) {
    std::string error;
    if (!CreateAccountDatabase(path, error)) {
        return AdminFailed("Zel.ADMIN.initfailed", {database, error});
    }
    return AdminDone(AdminLine("Zel.ADMIN.initfile", {database}));
}

AdminOutcome InitServer(const std::string& database, const std::string& conninfo) {
    PostgresBackend backend;
    if (!backend.Connect(conninfo)) {
        return AdminFailed("Zel.ADMIN.cannotopen", {database, backend.LastError()});
    }
    std::string error;
    if (!SecureServerAccount(backend, error)) {
        return AdminFailed("Zel.ADMIN.initfailed", {database, error});
    }
    const auto logins = ServerLogins::Of(backend);
    if (!logins) {
        return AdminFailed("Zel.ADMIN.unreadable", {database, backend.LastError()});
    }
    std::string said = AdminLine(
        "Zel.ADMIN.initserver",
        {database, logins->Roles().users, logins->Roles().admins, logins->CurrentLogin()});
    if (!PoliciesUseIndexes(backend)) {
        said += AdminLine("Zel.ADMIN.slowpolicies", {database});
    }
    return AdminDone(said);
}

// A server that refuses the login the account's tables is asked on a bare connection what the
// login lacks.
AdminOutcome CannotOpen(const std::string& database, const DatabaseLocation& location,
                        const std::string& said) {
    PostgresBackend server;
    if (location.backend == DatabaseLocation::Backend::Postgres &&
        server.Connect(location.connection)) {
        if (auto logins = ServerLogins::Of(server)) {
            if (auto lacking = logins->MissingPrivilege(ServerChange::Rows); !lacking.empty()) {
                return AdminFailed("Zel.ADMIN.lacking", {lacking, said});
            }
        }
    }
    return AdminFailed("Zel.ADMIN.cannotopen", {database, said});
}

AdminOutcome RunOnAccount(const AdminRequest& request, const DatabaseLocation& location) {
    const bool onServer = location.backend == DatabaseLocation::Backend::Postgres;
    if (request.command == AdminCommand::Init) {
        return onServer ? InitServer(request.database, location.connection)
                        : InitFile(request.database, location.connection);
    }
    const std::unique_ptr<SqlBackend> backend = NewBackendFor(location);
    if (!backend->Open(location.connection)) {
        return CannotOpen(request.database, location, backend->LastError());
    }
    std::optional<ServerLogins> server;
    if (onServer) {
        server = ServerLogins::Of(*backend);
        if (!server) {
            return AdminFailed("Zel.ADMIN.unreadable", {request.database, backend->LastError()});
        }
    }
    return AccountCommands(request, *backend, std::move(server)).Run();
}

}  // namespace

int RunAdmin(const AdminRequest& request, AccountDirectory accounts, std::ostream& out,
             std::ostream& err) {
    accounts.LoadConfiguration(request.configPath);
    const AdminOutcome outcome = RunOnAccount(request, accounts.Locate(request.database));
    if (outcome.status == kAdminDone) {
        out << HiddenPasswords(outcome.text);
    } else {
        err << "whinv-admin: " << HiddenPasswords(outcome.text);
    }
    return (out.flush() && err.flush()) ? outcome.status : kAdminFailed;
}

}  // namespace zel
