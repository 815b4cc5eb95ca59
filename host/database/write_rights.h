#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/database/sql_backend.h"
#include "interfaces/variant.h"

namespace zel {

// What one user may write, by the rules the row-authorisation service gives its "W" answers:
// an administrator (aa_user.bAdmin) writes every row, an object that aa_rowauth_object does not
// control is open to every user, any other object only in the codes aa_rowauth grants with
// cRight 'W'. A user without an aa_user row writes nothing, and so does everyone when a table
// cannot be read: a fault never grants a right.
class WriteRights {
public:
    WriteRights(SqlBackend& backend, const std::string& userId);
    // With the user's aa_user.bAdmin already read: Null when the user has no row.
    WriteRights(SqlBackend& backend, const std::string& userId, const Variant& administratorFlag);

    bool UserKnown() const { return administrator_.has_value(); }
    bool IsAdministrator() const { return administrator_.value_or(false); }
    // object is a business object code of aa_rowauth_object: "Warehouse", "Inventory", "Person".
    bool MayWrite(const std::string& object, const std::string& code) const;

private:
    // nullopt when it cannot be read.
    std::optional<bool> IsControlled(const std::string& object) const;

    SqlBackend& backend_;
    std::string userId_;
    std::optional<bool> administrator_;
};

// A code a row names, and the business object it is a code of: ("Warehouse", "01").
struct WrittenCode {
    std::string object;
    std::string code;
};

// The message that refuses the user a row of table naming these codes (an empty code names
// nothing); empty when he may write it. A row that names no business object is one of the
// account's own settings, which only an administrator writes.
std::string WriteRefusal(const WriteRights& rights, const std::string& user,
                         const std::string& table, const std::vector<WrittenCode>& codes);

}  // namespace zel
