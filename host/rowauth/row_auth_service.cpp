#include "host/rowauth/row_auth_service.h"

#include <cmath>
#include <cstdint>

#include "host/objects/host_text.h"

namespace zel {
namespace {

constexpr const char* kNoRow = "1=2";

// A text as an SQL literal: codes may hold apostrophes.
std::string SqlText(const std::string& value) {
    std::string quoted = "'";
    for (const char c : value) {
        quoted += c;
        if (c == '\'') {
            quoted += '\'';
        }
    }
    return quoted + "'";
}

std::string Joined(const std::vector<std::string>& items) {
    std::string text;
    for (const auto& item : items) {
        text += (text.empty() ? "" : ",") + item;
    }
    return text;
}

// A flag column: true when it reads as a non-zero number.
std::optional<bool> FlagOf(const std::optional<Variant>& value) {
    const auto number = value ? value->ToDouble() : std::nullopt;
    if (!number) {
        return std::nullopt;
    }
    return *number != 0;
}

// An inventory iId as it may stand in an SQL list; nullopt for anything but a whole number.
std::optional<std::string> WholeNumberText(const Variant& value) {
    const auto number = value.ToDouble();
    if (!number || std::trunc(*number) != *number || std::fabs(*number) > 9.0e15) {
        return std::nullopt;
    }
    return std::to_string(static_cast<std::int64_t>(*number));
}

}  // namespace

RowAuthService::RowAuthService(IObjectFactory& factory) : factory_(factory) {}

void RowAuthService::Init(const std::string& ysDBName, const std::string& userId) {
    userId_ = userId;
    db_ = CreateObjectAs<IClsCommon>(factory_, "ZelSrvTrans.IClsCommon");
    if (db_) {
        db_->Init(ysDBName);
    }
}

std::string RowAuthService::GetAuthString(const std::string& objectName, const std::string&,
                                          const std::string& right) {
    if (!db_ || !db_->Status()) {
        return kNoRow;
    }
    const auto administrator = IsAdministrator();
    if (!administrator) {
        return kNoRow;
    }
    if (*administrator) {
        return {};
    }
    const auto controlled = IsControlled(objectName);
    if (!controlled) {
        return kNoRow;
    }
    if (!*controlled) {
        return {};
    }
    const auto granted = GrantedList(objectName, AsciiEqualIgnoringCase(right, "W"));
    return granted && !granted->empty() ? Joined(*granted) : kNoRow;
}

std::optional<bool> RowAuthService::IsAdministrator() {
    const auto user = db_->OpenX("select bAdmin from aa_user where cUserId=" + SqlText(userId_));
    if (!user) {
        return std::nullopt;
    }
    return user->Eof() ? false : FlagOf(user->Fields("bAdmin"));
}

std::optional<bool> RowAuthService::IsControlled(const std::string& objectName) {
    const auto object = db_->OpenX("select bControlled from aa_rowauth_object where cBusObCode=" +
                                   SqlText(objectName));
    if (!object) {
        return std::nullopt;
    }
    return object->Eof() ? false : FlagOf(object->Fields("bControlled"));
}

// Write grants only, or for reading both kinds: a right to write includes the right to read.
std::optional<std::vector<std::string>> RowAuthService::GrantedList(const std::string& objectName,
                                                                    bool write) {
    const std::string grants =
        " aa_rowauth.cUserId=" + SqlText(userId_) +
        " and aa_rowauth.cBusObCode=" + SqlText(objectName) +
        (write ? " and aa_rowauth.cRight='W'" : " and aa_rowauth.cRight in ('R','W')");
    const bool inventory = AsciiEqualIgnoringCase(objectName, "Inventory");
    const auto rows =
        inventory ? db_->OpenX(
                        "select distinct Inventory.iId as cItem from aa_rowauth inner join "
                        "Inventory on Inventory.cInvCode=aa_rowauth.cACCode where" +
                        grants + " order by cItem")
                  : db_->OpenX("select distinct aa_rowauth.cACCode as cItem from aa_rowauth where" +
                               grants + " order by cItem");
    if (!rows) {
        return std::nullopt;
    }
    std::vector<std::string> items;
    for (; !rows->Eof(); rows->MoveNext()) {
        const auto value = rows->Fields("cItem");
        if (!value || value->IsNull()) {
            continue;
        }
        const auto item = inventory ? WholeNumberText(*value) : SqlText(value->ToString());
        if (item) {
            items.push_back(*item);
        }
    }
    return items;
}

}  // namespace zel
