#pragma once

#include <string>

namespace zel {

// How whinv-admin ends, for the scripts that run it.
enum AdminStatus : int {
    kAdminDone = 0,
    // The account could not be opened, or the server or the account refused a statement.
    kAdminFailed = 1,
    kAdminBadArguments = 2,
};

enum class AdminCommand {
    Init,
    UserAdd,
    UserRemove,
    Grant,
    Revoke,
    List,
    HistoryPrune,
    SetAsideList
};

// The business objects whose rows a user is granted, and where their codes live.
struct GrantObject {
    const char* option;     // the command-line option naming a code of it
    const char* busObCode;  // aa_rowauth.cBusObCode
    const char* table;
    const char* codeColumn;
};

inline constexpr GrantObject kGrantObjects[] = {
    {"warehouse", "Warehouse", "Warehouse", "cWhCode"},
    {"inventory", "Inventory", "Inventory", "cInvCode"},
    {"person", "Person", "Person", "cPersonCode"},
};

// What whinv-admin was asked for. Fields a command does not use stay empty.
struct AdminRequest {
    AdminCommand command = AdminCommand::List;
    std::string database = "demo";
    std::string configPath;
    std::string userId;  // list: empty for every user
    std::string userName;
    bool admin = false;
    const GrantObject* object = nullptr;  // grant, revoke
    std::string code;
    bool write = false;  // grant: 'W', else 'R'
    std::string before;  // history prune: yyyy-mm-dd
};

}  // namespace zel
