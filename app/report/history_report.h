#pragma once

#include <memory>
#include <string>

#include "app/report/report_request.h"
#include "host/objects/host_environment.h"

namespace zel {

// What whinv-report history was asked for.
struct HistoryReportRequest : ReportRequest {
    std::string from;  // yyyy-mm-dd, inclusive
    std::string to;    // yyyy-mm-dd, inclusive
};

// Writes the changes of the correspondence rows the user may read from one day to another,
// newest first; the exit status as the due report's: 0 written, 1 when the account, the user,
// the query or the file fails (the reason on standard error), 2 for a request it cannot use.
int RunHistoryReport(const HistoryReportRequest& request,
                     std::shared_ptr<HostEnvironment> environment);

}  // namespace zel
