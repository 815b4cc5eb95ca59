#pragma once

#include <optional>
#include <string>

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
    // object is a business object code of aa_rowauth_object: "Warehouse", "Inventory", "Person".
    bool MayWrite(const std::string& object, const std::string& code) const;

private:
    // nullopt when it cannot be read.
    std::optional<bool> IsControlled(const std::string& object) const;

    SqlBackend& backend_;
    std::string userId_;
    std::optional<bool> administrator_;
};

// The message that refuses the user a correspondence row of this warehouse, item and storekeeper
// (empty: none); empty when he may write it.
std::string WriteRefusal(const WriteRights& rights, const std::string& user,
                         const std::string& warehouse, const std::string& inventory,
                         const std::string& person);

}  // namespace zel
