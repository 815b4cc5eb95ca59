#include "app/admin/run_admin.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include "app/admin/account_users.h"
#include "app/admin/admin_texts.h"
#include "app/admin/hidden_passwords.h"
#include "app/admin/server_logins.h"
#include "host/database/account_database.h"
#include "host/database/postgres_backend.h"
#include "host/database/sqlite_backend.h"

namespace zel {
namespace {

struct Outcome {
    AdminStatus status = kAdminDone;
    std::string text;
};

std::string Text(const std::string& key, const std::vector<std::string>& values = {}) {
    return AdminTexts().Format(key, values) + "\n";
}

Outcome Done(std::string text) {
    return {kAdminDone, std::move(text)};
}

Outcome Failed(const std::string& key, const std::vector<std::string>& values) {
    return {kAdminFailed, Text(key, values)};
}

std::string ObjectWord(const GrantObject& object) {
    return AdminTexts().Text(std::string("Zel.ADMIN.object.") + object.busObCode);
}

// Codes compare without regard to ASCII letter case on both engines.
bool SameCode(const std::string& left, const std::string& right) {
    return left.size() == right.size() &&
           std::equal(left.begin(), left.end(), right.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

// The command-line word of a granted object; a code written by hand outside the tool's objects
// as it stands.
std::string ObjectOption(const std::string& busObCode) {
    for (const GrantObject& object : kGrantObjects) {
        if (SameCode(busObCode, object.busObCode)) {
            return object.option;
        }
    }
    return busObCode;
}

Outcome InitFile(const std::string& database, const std::string& path) {
    std::string error;
    if (!CreateAccountDatabase(path, error)) {
        return Failed("Zel.ADMIN.initfailed", {database, error});
    }
    return Done(Text("Zel.ADMIN.initfile", {database}));
}

Outcome InitServer(const std::string& database, const std::string& conninfo) {
    PostgresBackend backend;
    if (!backend.Connect(conninfo)) {
        return Failed("Zel.ADMIN.cannotopen", {database, backend.LastError()});
    }
    std::string error;
    if (!SecureServerAccount(backend, error)) {
        return Failed("Zel.ADMIN.initfailed", {database, error});
    }
    const auto logins = ServerLogins::Of(backend);
    if (!logins) {
        return Failed("Zel.ADMIN.unreadable", {database, backend.LastError()});
    }
    return Done(Text("Zel.ADMIN.initserver", {database, logins->Roles().users,
                                              logins->Roles().admins, logins->CurrentLogin()}));
}

// One command on an open account: its rows, and on a server its roles, changed together or
// not at all.
class AccountCommands {
public:
    AccountCommands(const AdminRequest& request, SqlBackend& backend,
                    std::optional<ServerLogins> server)
        : request_(request), backend_(backend), server_(std::move(server)), users_(backend) {}

    Outcome Run() {
        switch (request_.command) {
            case AdminCommand::UserAdd:
                return AddUser();
            case AdminCommand::UserRemove:
                return RemoveUser();
            case AdminCommand::Grant:
                return Grant();
            case AdminCommand::Revoke:
                return Revoke();
            case AdminCommand::List:
            case AdminCommand::Init:
                break;
        }
        return List();
    }

private:
    Outcome AddUser() {
        const auto known = users_.HasUser(request_.userId);
        if (!known) {
            return Unreadable();
        }
        backend_.Begin();
        if (!users_.SaveUser({request_.userId, request_.userName, request_.admin})) {
            return Abandon(ServerChange::Rows);
        }
        std::string text = Text(*known ? "Zel.ADMIN.userupdated" : "Zel.ADMIN.useradded",
                                {request_.userId, request_.userName});
        if (request_.admin) {
            text += Text("Zel.ADMIN.useradmin", {request_.userId});
        }
        if (server_) {
            const auto login = server_->EnsureLogin(request_.userId);
            if (!login || !server_->SetMembership(request_.userId, request_.admin)) {
                return Abandon(ServerChange::Roles);
            }
            text += LoginNote(*login);
        }
        return Commit(text);
    }

    std::string LoginNote(LoginRole login) const {
        switch (login) {
            case LoginRole::Made:
                return Text("Zel.ADMIN.loginmade", {request_.userId});
            case LoginRole::FoundWithoutLogin:
                return Text("Zel.ADMIN.loginlocked", {request_.userId});
            case LoginRole::Found:
                break;
        }
        return {};
    }

    Outcome RemoveUser() {
        if (auto refused = RefuseUnknownUser()) {
            return *refused;
        }
        backend_.Begin();
        long grants = 0;
        if (!users_.RemoveUser(request_.userId, grants)) {
            return Abandon(ServerChange::Rows);
        }
        std::string text = Text("Zel.ADMIN.userremoved", {request_.userId, std::to_string(grants)});
        if (server_) {
            if (!server_->LeaveRoles(request_.userId)) {
                return Abandon(ServerChange::Roles);
            }
            text += Text("Zel.ADMIN.loginkept", {request_.userId});
        }
        return Commit(text);
    }

    Outcome Grant() {
        if (auto refused = RefuseUnknownUser()) {
            return *refused;
        }
        const GrantObject& object = *request_.object;
        const auto known = users_.HasCode(object, request_.code);
        if (!known) {
            return Unreadable();
        }
        if (!*known) {
            return Failed("Zel.ADMIN.unknowncode",
                          {request_.database, ObjectWord(object), request_.code});
        }
        const char right = request_.write ? 'W' : 'R';
        backend_.Begin();
        if (!users_.SetGrant({request_.userId, object.busObCode, request_.code, right})) {
            return Abandon(ServerChange::Rows);
        }
        return Commit(
            Text("Zel.ADMIN.granted",
                 {request_.userId, AdminTexts().Text(std::string("Zel.ADMIN.right.") + right),
                  ObjectWord(object), request_.code}));
    }

    Outcome Revoke() {
        if (auto refused = RefuseUnknownUser()) {
            return *refused;
        }
        const GrantObject& object = *request_.object;
        backend_.Begin();
        bool removed = false;
        if (!users_.RemoveGrant({request_.userId, object.busObCode, request_.code}, removed)) {
            return Abandon(ServerChange::Rows);
        }
        return Commit(Text(removed ? "Zel.ADMIN.revoked" : "Zel.ADMIN.notheld",
                           {request_.userId, ObjectWord(object), request_.code}));
    }

    Outcome List() {
        if (!request_.userId.empty()) {
            if (auto refused = RefuseUnknownUser()) {
                return *refused;
            }
        }
        const auto users = users_.Users(request_.userId);
        const auto grants = users ? users_.Grants(request_.userId) : std::nullopt;
        if (!grants) {
            return Unreadable();
        }
        const ResourceTexts& texts = AdminTexts();
        std::string text;
        for (const AccountUser& user : *users) {
            text += user.id + "\t" + user.name + "\t" +
                    texts.Text(user.admin ? "Zel.ADMIN.list.admin" : "Zel.ADMIN.list.user") + "\n";
            for (const RowGrant& grant : *grants) {
                if (SameCode(grant.userId, user.id)) {
                    text += "\t" + ObjectOption(grant.busObCode) + "\t" + grant.code + "\t" +
                            texts.Text(std::string("Zel.ADMIN.list.") + grant.right) + "\n";
                }
            }
        }
        return Done(text);
    }

    std::optional<Outcome> RefuseUnknownUser() {
        const auto known = users_.HasUser(request_.userId);
        if (!known) {
            return Unreadable();
        }
        if (!*known) {
            return Failed("Zel.ADMIN.unknownuser", {request_.userId, request_.database});
        }
        return std::nullopt;
    }

    Outcome Unreadable() {
        return Failure(backend_.LastError(), ServerChange::Rows, "Zel.ADMIN.unreadable");
    }

    Outcome Commit(const std::string& text) {
        if (!backend_.Commit()) {
            return Abandon(ServerChange::Rows);
        }
        return Done(text);
    }

    // Rolls the failed change back first: a transaction that failed answers nothing more.
    Outcome Abandon(ServerChange change) {
        const std::string said = backend_.LastError();
        backend_.Rollback();
        return Failure(said, change, "Zel.ADMIN.refused");
    }

    // What the running login lacks for the change when the server tells, else the account's
    // reason worded by key.
    Outcome Failure(const std::string& said, ServerChange change, const char* key) {
        const std::string lacking = server_ ? server_->MissingPrivilege(change) : std::string();
        if (lacking.empty()) {
            return Failed(key, {request_.database, said});
        }
        return Failed("Zel.ADMIN.lacking", {lacking, said});
    }

    const AdminRequest& request_;
    SqlBackend& backend_;
    std::optional<ServerLogins> server_;
    AccountUsers users_;
};

// A server that refuses the login the account's tables is asked on a bare connection what the
// login lacks.
Outcome CannotOpen(const std::string& database, const DatabaseLocation& location,
                   const std::string& said) {
    PostgresBackend server;
    if (location.backend == DatabaseLocation::Backend::Postgres &&
        server.Connect(location.connection)) {
        if (auto logins = ServerLogins::Of(server)) {
            if (auto lacking = logins->MissingPrivilege(ServerChange::Rows); !lacking.empty()) {
                return Failed("Zel.ADMIN.lacking", {lacking, said});
            }
        }
    }
    return Failed("Zel.ADMIN.cannotopen", {database, said});
}

Outcome RunOnAccount(const AdminRequest& request, const DatabaseLocation& location) {
    const bool onServer = location.backend == DatabaseLocation::Backend::Postgres;
    if (request.command == AdminCommand::Init) {
        return onServer ? InitServer(request.database, location.connection)
                        : InitFile(request.database, location.connection);
    }
    std::unique_ptr<SqlBackend> backend;
    if (onServer) {
        backend = std::make_unique<PostgresBackend>();
    } else {
        backend = std::make_unique<SqliteBackend>();
    }
    if (!backend->Open(location.connection)) {
        return CannotOpen(request.database, location, backend->LastError());
    }
    std::optional<ServerLogins> server;
    if (onServer) {
        server = ServerLogins::Of(*backend);
        if (!server) {
            return Failed("Zel.ADMIN.unreadable", {request.database, backend->LastError()});
        }
    }
    return AccountCommands(request, *backend, std::move(server)).Run();
}

}  // namespace

int RunAdmin(const AdminRequest& request, AccountDirectory accounts, std::ostream& out,
             std::ostream& err) {
    accounts.LoadConfiguration(request.configPath);
    const Outcome outcome = RunOnAccount(request, accounts.Locate(request.database));
    if (outcome.status == kAdminDone) {
        out << HiddenPasswords(outcome.text);
    } else {
        err << "whinv-admin: " << HiddenPasswords(outcome.text);
    }
    return (out.flush() && err.flush()) ? outcome.status : kAdminFailed;
}

}  // namespace zel
