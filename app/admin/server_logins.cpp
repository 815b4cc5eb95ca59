#include "app/admin/server_logins.h"

#include "app/admin/admin_texts.h"
#include "host/database/single_value.h"
#include "host/database/sql_backend.h"

namespace zel {
namespace {

// What the running login holds that the account's changes may need.
struct Privileges {
    bool superuser = false;
    bool createRole = false;
    bool admin = false;  // member of the account's admins role
    bool owner = false;  // member of the role owning the account's tables
    bool rolesExist = false;
};

std::optional<Privileges> PrivilegesOf(SqlBackend& server, const AccountRoles& roles) {
    const auto statement = server.Prepare(
        "select cast(r.rolsuper as integer), cast(r.rolcreaterole as integer), "
        "cast(exists (select 1 from pg_roles g where g.rolname = ? "
        "and pg_has_role(current_user, g.oid, 'member')) as integer), "
        "cast(exists (select 1 from pg_class c where c.oid = to_regclass('aa_user') "
        "and pg_has_role(current_user, c.relowner, 'member')) as integer), "
        "(select count(*) from pg_roles g where g.rolname in (?, ?)) "
        "from pg_roles r where r.rolname = current_user");
    if (!statement || !statement->BindText(1, roles.admins) ||
        !statement->BindText(2, roles.users) || !statement->BindText(3, roles.admins) ||
        statement->Step() != StepResult::Row) {
        return std::nullopt;
    }
    return Privileges{statement->ColumnInteger(0) != 0, statement->ColumnInteger(1) != 0,
                      statement->ColumnInteger(2) != 0, statement->ColumnInteger(3) != 0,
                      statement->ColumnInteger(4) == 2};
}

}  // namespace

ServerLogins::ServerLogins(SqlBackend& server, std::string database, std::string login)
    : server_(&server), roles_(AccountRolesOf(database)), login_(std::move(login)) {}

std::optional<ServerLogins> ServerLogins::Of(SqlBackend& server) {
    const auto statement =
        server.Prepare("select cast(current_database() as text), cast(current_user as text)");
    if (!statement || statement->Step() != StepResult::Row) {
        return std::nullopt;
    }
    return ServerLogins(server, std::string(statement->ColumnText(0)),
                        std::string(statement->ColumnText(1)));
}

bool ServerLogins::RunQuoted(const char* pattern, const std::string& first,
                             const std::string& second) {
    const bool two = !second.empty();
    const std::string sql = std::string("select format('") + pattern + "', cast(? as text)" +
                            (two ? ", cast(? as text))" : ")");
    const SingleValue statement = ReadSingleValue(
        *server_, sql, two ? std::vector<Variant>{first, second} : std::vector<Variant>{first});
    return statement.read && statement.value && server_->ExecuteScript(statement.value->ToString());
}

// The role's rolcanlogin as 1 or 0; no value when the server has no role of that name.
SingleValue ServerLogins::RoleOf(const std::string& id) {
    return ReadSingleValue(
        *server_, "select cast(rolcanlogin as integer) from pg_roles where rolname = ?", {id});
}

std::optional<LoginRole> ServerLogins::EnsureLogin(const std::string& id) {
    const SingleValue canLogIn = RoleOf(id);
    if (!canLogIn.read) {
        return std::nullopt;
    }
    if (canLogIn.value) {
        return canLogIn.value->ToString() == "1" ? LoginRole::Found : LoginRole::FoundWithoutLogin;
    }
    if (!RunQuoted("create role %I login", id)) {
        return std::nullopt;
    }
    return LoginRole::Made;
}

bool ServerLogins::SetMembership(const std::string& id, bool admin) {
    return SetMember(roles_.users, id, true) && SetMember(roles_.admins, id, admin);
}

bool ServerLogins::LeaveRoles(const std::string& id) {
    const SingleValue role = RoleOf(id);
    return role.read && (!role.value || (SetMember(roles_.admins, id, false) &&
                                         SetMember(roles_.users, id, false)));
}

// Granted or revoked only when it changes something: the server would warn of the rest on the
// operator's terminal.
bool ServerLogins::SetMember(const std::string& group, const std::string& id, bool member) {
    const SingleValue is =
        ReadSingleValue(*server_,
                        "select 1 from pg_auth_members m join pg_roles g on g.oid = m.roleid "
                        "join pg_roles r on r.oid = m.member where g.rolname = ? and r.rolname = ?",
                        {group, id});
    if (!is.read) {
        return false;
    }
    return is.value.has_value() == member ||
           RunQuoted(member ? "grant %I to %I" : "revoke %I from %I", group, id);
}

std::string ServerLogins::MissingPrivilege(ServerChange change) {
    const auto held = PrivilegesOf(*server_, roles_);
    if (!held || held->superuser) {
        return {};
    }
    const ResourceTexts& texts = AdminTexts();
    if (!held->rolesExist) {
        return texts.Format("Zel.ADMIN.noroles", {roles_.users, roles_.admins});
    }
    if (change == ServerChange::Roles && !held->createRole) {
        return texts.Format("Zel.ADMIN.needcreaterole", {login_});
    }
    if (change == ServerChange::Rows && !held->admin && !held->owner) {
        return texts.Format("Zel.ADMIN.needadmin", {login_, roles_.admins});
    }
    return {};
}

}  // namespace zel
