#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "interfaces/cls_common.h"
#include "interfaces/login.h"
#include "interfaces/pub.h"
#include "interfaces/row_auth.h"

namespace korvel {

// The condition that lets no row through; every authorisation item holds it until the host has
// answered, so a failed call never widens what the user sees.
inline constexpr std::string_view kNoRowCondition = "(1=2)";
// The condition of an item the host does not restrict.
inline constexpr std::string_view kEveryRowCondition = "(1=1)";

// What Show binds for one run: the host services, the business date and the six authorisation
// conditions. Each condition is a parenthesised SQL boolean that callers append with " and ".
struct LoginContext {
    std::shared_ptr<zel::ILogin> login;
    std::shared_ptr<zel::IPub> pub;
    std::shared_ptr<zel::IClsCommon> db;
    std::shared_ptr<zel::IRowAuth> rowAuth;
    std::string sCurDate;
    std::string sAuthInv{kNoRowCondition};
    std::string sAuthInvW{kNoRowCondition};
    std::string sAuthWh{kNoRowCondition};
    std::string sAuthWhW{kNoRowCondition};
    std::string sAuthPerson{kNoRowCondition};
    std::string sAuthPersonW{kNoRowCondition};
};

// The row-authorisation answer as a condition: "1=2" → "(1=2)", "" → "(1=1)",
// else prefix + answer + "))".
std::string AuthCondition(std::string_view prefix, const std::string& answer);

// Fills the six authorisation items from the row-authorisation and public services; an item
// whose call fails keeps "(1=2)". Needs login, pub and rowAuth bound.
void InitAuth(LoginContext& context);

}  // namespace korvel
