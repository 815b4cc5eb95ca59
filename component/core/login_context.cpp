#include "core/login_context.h"

#include "core/run_ignoring_errors.h"

namespace korvel {
namespace {

constexpr std::string_view kInventoryPrefix = "( Inventory.iId in (";
constexpr std::string_view kWarehousePrefix = "(Warehouse.CWhCode in (";

}  // namespace

std::string AuthCondition(std::string_view prefix, const std::string& answer) {
    if (answer == "1=2") {
        return std::string(kNoRowCondition);
    }
    if (answer.empty()) {
        return std::string(kEveryRowCondition);
    }
    return std::string(prefix) + answer + "))";
}

void InitAuth(LoginContext& context) {
    zel::IRowAuth& rowAuth = *context.rowAuth;
    RunIgnoringErrors([&] {
        context.sAuthInv = AuthCondition(kInventoryPrefix, rowAuth.GetAuthString("Inventory"));
    });
    RunIgnoringErrors([&] {
        context.sAuthInvW =
            AuthCondition(kInventoryPrefix, rowAuth.GetAuthString("Inventory", "", "W"));
    });
    RunIgnoringErrors([&] {
        context.sAuthWh = AuthCondition(kWarehousePrefix, rowAuth.GetAuthString("Warehouse"));
    });
    RunIgnoringErrors([&] {
        context.sAuthWhW =
            AuthCondition(kWarehousePrefix, rowAuth.GetAuthString("Warehouse", "", "W"));
    });
    zel::IPub& pub = *context.pub;
    const zel::ILogin& login = *context.login;
    RunIgnoringErrors(
        [&] { context.sAuthPerson = pub.GetAuth("Person", login.cUserId(), login.ysDBName()); });
    RunIgnoringErrors([&] {
        context.sAuthPersonW = pub.GetAuth("Person", login.cUserId(), login.ysDBName(), "W");
    });
}

}  // namespace korvel
