#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/report/report_status.h"
#include "core/login_context.h"
#include "host/objects/host_environment.h"
#include "host/objects/object_registry.h"

namespace zel {

// Who a report runs as: the account, the user the request names (or the server login) and the
// configuration that names the accounts.
struct ReportAccount {
    std::string database;
    std::optional<std::string> user;
    std::string configPath;
    // The program a refusal on standard error is told by.
    std::string_view program = kReportProgram;
};

// The user established and the login's services bound as the component binds them, rights
// included.
struct ReportLogin {
    korvel::LoginContext login;
    std::string account;
    std::string userId;
};

// kReportWritten when bound, with date as the business date; else the status of the refusal or
// failure, whose reason went to standard error without the connection text.
int BindReportLogin(const ReportAccount& account, const std::string& date,
                    const std::shared_ptr<HostEnvironment>& environment, ObjectRegistry& registry,
                    ReportLogin& bound);

}  // namespace zel
