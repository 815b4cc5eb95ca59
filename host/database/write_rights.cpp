#include "host/database/write_rights.h"

#include "host/database/database_texts.h"
#include "host/database/single_value.h"
#include "host/objects/host_text.h"

namespace zel {
namespace {

// A flag column: true when it reads as a non-zero number, nullopt when it does not read at all.
std::optional<bool> FlagOf(const std::optional<Variant>& value) {
    const auto number = value ? value->ToDouble() : std::nullopt;
    if (!number) {
        return std::nullopt;
    }
    return *number != 0;
}

}  // namespace

WriteRights::WriteRights(SqlBackend& backend, const std::string& userId)
    : backend_(backend), userId_(userId) {
    const auto user =
        ReadSingleValue(backend_, "select bAdmin from aa_user where cUserId=?", {Variant(userId)});
    if (user.read && user.value) {
        administrator_ = FlagOf(user.value);
    }
}

WriteRights::WriteRights(SqlBackend& backend, const std::string& userId,
                         const Variant& administratorFlag)
    : backend_(backend), userId_(userId), administrator_(FlagOf(administratorFlag)) {}

bool WriteRights::MayWrite(const std::string& object, const std::string& code) const {
    if (!administrator_) {
        return false;
    }
    if (*administrator_) {
        return true;
    }
    const auto controlled = IsControlled(object);
    if (!controlled) {
        return false;
    }
    if (!*controlled) {
        return true;
    }
    const auto grant = ReadSingleValue(
        backend_,
        "select 1 from aa_rowauth where cUserId=? and cBusObCode=? "
        "and cACCode=? and cRight='W'",
        {Variant(userId_), Variant(object), Variant(std::string(WithoutTrailingBlanks(code)))});
    return grant.read && grant.value.has_value();
}

// An object aa_rowauth_object does not list is not controlled.
std::optional<bool> WriteRights::IsControlled(const std::string& object) const {
    const auto control =
        ReadSingleValue(backend_, "select bControlled from aa_rowauth_object where cBusObCode=?",
                        {Variant(object)});
    if (!control.read) {
        return std::nullopt;
    }
    return control.value ? FlagOf(control.value) : std::optional(false);
}

std::string WriteRefusal(const WriteRights& rights, const std::string& user,
                         const std::string& table, const std::vector<WrittenCode>& codes) {
    if (!rights.UserKnown()) {
        return DatabaseTexts::Format("Zel.HOST.DB.unknown_user", {user});
    }
    if (codes.empty() && !rights.IsAdministrator()) {
        return DatabaseTexts::Format("Zel.HOST.DB.no_write_table", {table});
    }
    for (const auto& [object, code] : codes) {
        if (!code.empty() && !rights.MayWrite(object, code)) {
            const std::string key = "Zel.HOST.DB.no_write_" + AsciiLower(object);
            return DatabaseTexts::Has(key) ? DatabaseTexts::Format(key, {code})
                                           : DatabaseTexts::Text("Zel.HOST.DB.denied");
        }
    }
    return {};
}

}  // namespace zel
