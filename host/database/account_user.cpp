#include "host/database/account_user.h"

#include <libpq-fe.h>

#include <memory>
#include <vector>

#include "host/database/account_backend.h"
#include "host/database/account_connection.h"
#include "host/database/account_file_check.h"
#include "host/database/single_value.h"
#include "host/objects/host_text.h"
#include "host/objects/resource_texts.h"

namespace zel {
namespace {

constexpr const char* kFileDefaultUser = "demo";

// A value of a libpq connection text, empty when it is not there or cannot be read.
std::string ConnectionValue(const std::string& conninfo, const char* keyword) {
    PQconninfoOption* options = PQconninfoParse(conninfo.c_str(), nullptr);
    if (options == nullptr) {
        return {};
    }
    std::string value;
    for (const PQconninfoOption* option = options; option->keyword != nullptr; ++option) {
        if (std::string_view(option->keyword) == keyword && option->val != nullptr) {
            value = option->val;
        }
    }
    PQconninfoFree(options);
    return value;
}

// A database name may itself be a whole connection text, password and all.
bool IsPlainName(const std::string& name) {
    return !name.empty() && name.find('=') == std::string::npos &&
           name.find("://") == std::string::npos;
}

// AccountUser::account.
std::string AccountNameForMessages(const std::string& ysDBName, const DatabaseLocation& location) {
    if (location.backend != DatabaseLocation::Backend::Postgres ||
        !ysDBName.starts_with("postgresql:")) {
        return ysDBName;
    }
    for (const char* keyword : {"dbname", "service"}) {
        if (std::string name = ConnectionValue(location.connection, keyword); IsPlainName(name)) {
            return name;
        }
    }
    return "postgresql";
}

std::string Message(const std::string& key, const std::vector<std::string>& values) {
    return ResourceTexts::Instance().Format(key, values);
}

// An engine's message may repeat the connection text, and with it a password.
std::string WithoutConnectionText(std::string detail, const DatabaseLocation& location,
                                  const std::string& account) {
    const std::string& connection = location.connection;
    if (connection.empty()) {
        return detail;
    }
    for (auto at = detail.find(connection); at != std::string::npos;
         at = detail.find(connection, at + account.size())) {
        detail.replace(at, connection.size(), account);
    }
    return detail;
}

// Establishes the user on one open account, or tells why not.
class UserCheck {
public:
    UserCheck(SqlBackend& backend, const DatabaseLocation& location, std::string account)
        : backend_(backend), location_(location), account_(std::move(account)) {}

    AccountUser Refused(AccountUser::Refusal refusal, std::string reason,
                        const std::string& detail = {}) const {
        return {refusal,
                account_,
                {},
                std::move(reason),
                WithoutConnectionText(detail, location_, account_),
                nullptr};
    }

    // The user code before its row is looked for.
    AccountUser Claimed(const std::optional<std::string>& requestedUser) const {
        if (location_.backend != DatabaseLocation::Backend::Postgres) {
            return Established(requestedUser.value_or(kFileDefaultUser));
        }
        const SingleValue login = ReadSingleValue(backend_, "select session_user", {});
        if (!login.value) {
            return Unchecked();
        }
        const std::string loginName = login.value->ToString();
        if (requestedUser && !AsciiEqualIgnoringCase(*requestedUser, loginName)) {
            return Refused(
                AccountUser::Refusal::NotTheLogin,
                Message("Zel.HOST.LOGIN.not_the_login", {account_, loginName, *requestedUser}));
        }
        return Established(loginName);
    }

    const std::string& Account() const { return account_; }

    AccountUser WithRow(AccountUser claimed) const {
        const SingleValue row = ReadSingleValue(
            backend_, "select cUserId from aa_user where cUserId = ?", {Variant(claimed.userId)});
        if (!row.read) {
            return Unchecked();
        }
        if (!row.value) {
            return Refused(AccountUser::Refusal::NotAUser,
                           Message("Zel.HOST.LOGIN.not_a_user", {account_, claimed.userId}));
        }
        return claimed;
    }

private:
    AccountUser Established(std::string userId) const {
        return {AccountUser::Refusal::None, account_, std::move(userId), {}, {}, nullptr};
    }

    AccountUser Unchecked() const {
        return Refused(AccountUser::Refusal::Unchecked,
                       Message("Zel.HOST.LOGIN.unchecked", {account_}), backend_.LastError());
    }

    SqlBackend& backend_;
    const DatabaseLocation& location_;
    std::string account_;
};

// Why the engine did not open the account, in the user's words. Only a server that cannot be
// reached is told as a connection fault; a file that was reached says what kept it shut.
std::string OpenFailure(const SqlBackend& backend, const DatabaseLocation& location,
                        const UserCheck& check) {
    if (location.backend != DatabaseLocation::Backend::Postgres) {
        const auto problem = ExplainAccountFileFailure(
            location.connection, backend.SchemaRefusedOpen(), backend.LastError());
        if (problem.Found()) {
            return problem.message;
        }
    }
    // A schema that keeps the account shut is the user's to hear of, in the engine's words.
    return backend.SchemaRefusedOpen() ? backend.LastError()
                                       : Message("Zel.HOST.LOGIN.unreachable", {check.Account()});
}

}  // namespace

AccountUser EstablishAccountUser(const AccountDirectory& accounts, SharedConnections& connections,
                                 const std::string& ysDBName,
                                 const std::optional<std::string>& requestedUser) {
    const DatabaseLocation location = accounts.Locate(ysDBName);
    const std::shared_ptr<SqlBackend> opening = NewBackendFor(location);
    const UserCheck unopened(*opening, location, AccountNameForMessages(ysDBName, location));
    if (location.backend != DatabaseLocation::Backend::Postgres) {
        if (const auto problem = CheckAccountFile(location.connection); problem.Found()) {
            return unopened.Refused(AccountUser::Refusal::Unreachable, problem.message,
                                    problem.detail);
        }
    }
    const auto connection = connections.Share<AccountConnection>(
        AccountConnection::KeyOf(location), [&]() -> std::shared_ptr<AccountConnection> {
            if (!opening->Open(location.connection)) {
                return nullptr;
            }
            return AccountConnection::Over(location, opening);
        });
    if (!connection) {
        return unopened.Refused(AccountUser::Refusal::Unreachable,
                                OpenFailure(*opening, location, unopened), opening->LastError());
    }
    const UserCheck check(connection->Backend(), location, unopened.Account());
    AccountUser user = check.Claimed(requestedUser);
    if (user.Established()) {
        user = check.WithRow(std::move(user));
    }
    if (user.Established()) {
        user.connection = connection;
    }
    return user;
}

}  // namespace zel
