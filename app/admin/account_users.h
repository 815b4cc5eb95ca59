#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/admin/admin_request.h"
#include "interfaces/variant.h"

namespace zel {

class SqlBackend;

struct UserRow {
    std::string id;
    std::string name;
    bool admin = false;
};

struct RowGrant {
    std::string userId;
    std::string busObCode;
    std::string code;
    char right = 'R';  // 'R' reads, 'W' reads and writes
};

// The account's users (aa_user) and their row grants (aa_rowauth), the same rows on every engine.
// A read gives nullopt and a write false when the statement fails; the backend's LastError says
// why.
class AccountUsers {
public:
    explicit AccountUsers(SqlBackend& backend) : backend_(backend) {}

    std::optional<bool> HasUser(const std::string& id);
    std::optional<bool> HasCode(const GrantObject& object, const std::string& code);

    // Inserts the user, or gives an existing one this name and flag.
    bool SaveUser(const UserRow& user);
    // The user's row and every grant of it; grants counts the grants removed.
    bool RemoveUser(const std::string& id, long& grants);
    // The user holds one right per code: a new grant replaces the one held.
    bool SetGrant(const RowGrant& grant);
    // removed tells whether the user held a grant on the code.
    bool RemoveGrant(const RowGrant& grant, bool& removed);

    // Ordered by code; an empty id lists every user.
    std::optional<std::vector<UserRow>> Users(const std::string& id);
    std::optional<std::vector<RowGrant>> Grants(const std::string& id);

private:
    bool Change(const char* sql, const std::vector<Variant>& values);

    SqlBackend& backend_;
};

}  // namespace zel
