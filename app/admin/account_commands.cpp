#include "app/admin/account_commands.h"

#include <algorithm>
#include <cctype>

#include "app/admin/admin_texts.h"
#include "app/admin/change_history_prune.h"
#include "app/admin/set_aside_rows.h"
#include "host/database/sql_backend.h"

namespace zel {
namespace {

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

}  // namespace

AccountCommands::AccountCommands(const AdminRequest& request, SqlBackend& backend,
                                 std::optional<ServerLogins> server)
    : request_(request), backend_(backend), server_(std::move(server)), users_(backend) {}

AdminOutcome AccountCommands::Run() {
    switch (request_.command) {
        case AdminCommand::UserAdd:
            return AddUser();
        case AdminCommand::UserRemove:
            return RemoveUser();
        case AdminCommand::Grant:
            return Grant();
        case AdminCommand::Revoke:
            return Revoke();
        case AdminCommand::HistoryPrune:
            return PruneHistory();
        case AdminCommand::SetAsideList:
            return ListSetAside();
        case AdminCommand::List:
        case AdminCommand::Init:
            break;
    }
    return List();
}

AdminOutcome AccountCommands::AddUser() {
    const auto known = users_.HasUser(request_.userId);
    if (!known) {
        return Unreadable();
    }
    backend_.Begin();
    if (!users_.SaveUser({request_.userId, request_.userName, request_.admin})) {
        return Abandon(ServerChange::Rows);
    }
    std::string text = AdminLine(*known ? "Zel.ADMIN.userupdated" : "Zel.ADMIN.useradded",
                                 {request_.userId, request_.userName});
    if (request_.admin) {
        text += AdminLine("Zel.ADMIN.useradmin", {request_.userId});
    }
    if (server_) {
        const auto login = server_->EnsureLogin(request_.userId);
        if (login == LoginRole::FoundWithoutLogin) {
            // A group role: every member of it would gain the account's rights.
            backend_.Rollback();
            return AdminFailed("Zel.ADMIN.loginlocked", {request_.userId});
        }
        if (!login || !server_->SetMembership(request_.userId, request_.admin)) {
            return Abandon(ServerChange::Roles);
        }
        if (login == LoginRole::Made) {
            text += AdminLine("Zel.ADMIN.loginmade", {request_.userId});
        }
    }
    return Commit(text);
}

AdminOutcome AccountCommands::RemoveUser() {
    if (auto refused = RefuseUnknownUser()) {
        return *refused;
    }
    backend_.Begin();
    long grants = 0;
    if (!users_.RemoveUser(request_.userId, grants)) {
        return Abandon(ServerChange::Rows);
    }
    std::string text =
        AdminLine("Zel.ADMIN.userremoved", {request_.userId, std::to_string(grants)});
    if (server_) {
        if (!server_->LeaveRoles(request_.userId)) {
            return Abandon(ServerChange::Roles);
        }
        text += AdminLine("Zel.ADMIN.loginkept", {request_.userId});
    }
    return Commit(text);
}

AdminOutcome AccountCommands::Grant() {
    if (auto refused = RefuseUnknownUser()) {
        return *refused;
    }
    const GrantObject& object = *request_.object;
    const auto known = users_.HasCode(object, request_.code);
    if (!known) {
        return Unreadable();
    }
    if (!*known) {
        return AdminFailed("Zel.ADMIN.unknowncode",
                           {request_.database, ObjectWord(object), request_.code});
    }
    const char right = request_.write ? 'W' : 'R';
    backend_.Begin();
    if (!users_.SetGrant({request_.userId, object.busObCode, request_.code, right})) {
        return Abandon(ServerChange::Rows);
    }
    return Commit(
        AdminLine("Zel.ADMIN.granted",
                  {request_.userId, AdminTexts().Text(std::string("Zel.ADMIN.right.") + right),
                   ObjectWord(object), request_.code}));
}

AdminOutcome AccountCommands::Revoke() {
    if (auto refused = RefuseUnknownUser()) {
        return *refused;
    }
    const GrantObject& object = *request_.object;
    backend_.Begin();
    bool removed = false;
    if (!users_.RemoveGrant({request_.userId, object.busObCode, request_.code}, removed)) {
        return Abandon(ServerChange::Rows);
    }
    return Commit(AdminLine(removed ? "Zel.ADMIN.revoked" : "Zel.ADMIN.notheld",
                            {request_.userId, ObjectWord(object), request_.code}));
}

AdminOutcome AccountCommands::List() {
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
    for (const UserRow& user : *users) {
        text += user.id + "\t" + user.name + "\t" +
                texts.Text(user.admin ? "Zel.ADMIN.list.admin" : "Zel.ADMIN.list.user") + "\n";
        for (const RowGrant& grant : *grants) {
            if (SameCode(grant.userId, user.id)) {
                text += "\t" + ObjectOption(grant.busObCode) + "\t" + grant.code + "\t" +
                        texts.Text(std::string("Zel.ADMIN.list.") + grant.right) + "\n";
            }
        }
    }
    return AdminDone(text);
}

// Never silent: the count removed is said, and a login that is no administrator is told so.
AdminOutcome AccountCommands::PruneHistory() {
    backend_.Begin();
    const auto removed = PruneChangeHistory(backend_, server_.has_value(), request_.before);
    if (!removed) {
        if (backend_.LastRefusal() == SchemaRefusal::Denied) {
            const std::string said = backend_.LastError();
            backend_.Rollback();
            return AdminFailed("Zel.ADMIN.prunedenied", {request_.database, said});
        }
        return Abandon(ServerChange::Rows);
    }
    return Commit(AdminLine("Zel.ADMIN.pruned",
                            {std::to_string(*removed), request_.database, request_.before}));
}

std::optional<AdminOutcome> AccountCommands::RefuseUnknownUser() {
    const auto known = users_.HasUser(request_.userId);
    if (!known) {
        return Unreadable();
    }
    if (!*known) {
        return AdminFailed("Zel.ADMIN.unknownuser", {request_.userId, request_.database});
    }
    return std::nullopt;
}

AdminOutcome AccountCommands::Unreadable() {
    return Failure(backend_.LastError(), ServerChange::Rows, "Zel.ADMIN.unreadable");
}

AdminOutcome AccountCommands::Commit(const std::string& text) {
    if (!backend_.Commit()) {
        return Abandon(ServerChange::Rows);
    }
    return AdminDone(text);
}

AdminOutcome AccountCommands::Abandon(ServerChange change) {
    const std::string said = backend_.LastError();
    backend_.Rollback();
    return Failure(said, change, "Zel.ADMIN.refused");
}

AdminOutcome AccountCommands::Failure(const std::string& said, ServerChange change,
                                      const char* key) {
    const std::string lacking = server_ ? server_->MissingPrivilege(change) : std::string();
    if (lacking.empty()) {
        return AdminFailed(key, {request_.database, said});
    }
    return AdminFailed("Zel.ADMIN.lacking", {lacking, said});
}

AdminOutcome AccountCommands::ListSetAside() {
    const auto lines = SetAsideLines(backend_, server_.has_value());
    return lines ? AdminDone(*lines) : Unreadable();
}

}  // namespace zel
