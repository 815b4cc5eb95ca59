#include "support/server_roles.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "host/database/postgres/postgres_backend.h"

namespace zel::test {
namespace {

// libpq takes the last of repeated keywords, as the account's connection text does.
std::string LastValueOf(const std::string& conninfo, const std::string& keyword) {
    const auto at = conninfo.rfind(keyword + "=");
    if (at == std::string::npos) {
        return {};
    }
    const auto start = at + keyword.size() + 1;
    return conninfo.substr(start, conninfo.find(' ', start) - start);
}

std::string Quoted(const std::string& name) {
    return "\"" + name + "\"";
}

}  // namespace

ServerRoles::ServerRoles(const TestDatabase& db)
    : account_(db.Path()),
      server_(TestDatabase::Server().value_or("")),
      database_(LastValueOf(account_, "dbname")) {}

std::optional<AccountRoles> ServerRoles::SecureAccount(std::string& error) {
    PostgresBackend owner;
    if (!owner.Connect(account_)) {
        error = owner.LastError();
        return std::nullopt;
    }
    if (!SecureServerAccount(owner, error)) {
        return std::nullopt;
    }
    AccountRoles roles = AccountRolesOf(database_);
    DropAtEnd(roles.admins);
    DropAtEnd(roles.users);
    return roles;
}

ServerRoles::~ServerRoles() {
    for (const auto& role : roles_) {
        // What the role was granted in the account keeps it from being dropped; a role that was
        // never made has nothing to revoke.
        ServerSession(account_).Run(
            "revoke all on all tables in schema public from " + Quoted(role) +
            "; revoke all on all sequences in schema public from " + Quoted(role));
        EXPECT_TRUE(RunAsOwner(server_, "drop role if exists " + Quoted(role))) << role;
    }
}

std::string ServerRoles::AddLogin(const std::string& suffix,
                                  const std::vector<std::string>& memberOf,
                                  const std::string& attributes) {
    const std::string login = database_ + "_" + suffix;
    std::string sql = "create role " + Quoted(login) + " login " + attributes;
    for (std::size_t i = 0; i < memberOf.size(); ++i) {
        sql += (i == 0 ? " in role " : ", ") + Quoted(memberOf[i]);
    }
    roles_.push_back(login);
    EXPECT_TRUE(RunAsOwner(server_, sql)) << sql;
    return login;
}

std::string ServerRoles::ConninfoOf(const std::string& login) const {
    return account_ + " user=" + login;
}

bool ServerRoles::RunAsOwner(const std::string& conninfo, const std::string& sql) const {
    ServerSession session(conninfo);
    const auto outcome = session.Run(sql);
    if (!outcome.ok) {
        ADD_FAILURE() << sql << ": " << outcome.error;
    }
    return outcome.ok;
}

ServerSession::ServerSession(const std::string& conninfo)
    : connection_(PQconnectdb(conninfo.c_str())) {
    EXPECT_EQ(PQstatus(connection_), CONNECTION_OK) << PQerrorMessage(connection_);
}

ServerSession::~ServerSession() {
    PQfinish(connection_);
}

ServerSession::Outcome ServerSession::Run(const std::string& sql) {
    PGresult* result = PQexec(connection_, sql.c_str());
    Outcome outcome;
    const ExecStatusType status = PQresultStatus(result);
    outcome.ok = status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
    if (const char* state = PQresultErrorField(result, PG_DIAG_SQLSTATE)) {
        outcome.sqlState = state;
    }
    outcome.error = PQresultErrorMessage(result);
    outcome.rows = status == PGRES_TUPLES_OK ? PQntuples(result) : std::atol(PQcmdTuples(result));
    PQclear(result);
    return outcome;
}

std::vector<std::string> ServerSession::Column(const std::string& sql) {
    PGresult* result = PQexec(connection_, sql.c_str());
    EXPECT_EQ(PQresultStatus(result), PGRES_TUPLES_OK)
        << sql << ": " << PQresultErrorMessage(result);
    std::vector<std::string> values;
    for (int row = 0; row < PQntuples(result); ++row) {
        values.emplace_back(PQgetvalue(result, row, 0));
    }
    PQclear(result);
    return values;
}

}  // namespace zel::test
