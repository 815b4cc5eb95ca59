#pragma once

#include <memory>
#include <optional>
#include <string>

#include "host/objects/host_environment.h"

namespace zel {

// What whinv-report history was asked for.
struct HistoryReportRequest {
    std::string database = "demo";
    // --user, when given: who the account establishes is EstablishAccountUser's to say.
    std::optional<std::string> user;
    std::string from;  // yyyy-mm-dd, inclusive
    std::string to;    // yyyy-mm-dd, inclusive
    std::string format = "csv";
    std::string output;  // empty: standard output (CSV only)
    std::string warehouse;
    std::string configPath;
};

// Writes the changes of the correspondence rows the user may read from one day to another,
// newest first; the exit status as the due report's: 0 written, 1 when the account, the user,
// the query or the file fails (the reason on standard error), 2 for a request it cannot use.
int RunHistoryReport(const HistoryReportRequest& request,
                     std::shared_ptr<HostEnvironment> environment);

}  // namespace zel
