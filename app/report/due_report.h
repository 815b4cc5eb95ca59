#pragma once

#include <memory>
#include <string>

#include "app/report/report_request.h"
#include "host/objects/host_environment.h"

namespace zel {

// What whinv-report due was asked for.
struct DueReportRequest : ReportRequest {
    std::string date;  // yyyy-mm-dd; empty: today
    std::string storekeeper;
};

// Writes the rows due for a stock check on or before the date that the user may read; the exit
// status: 0 written, 1 when the account, the user, the query or the file fails (the reason on
// standard error), 2 for a request it cannot use, a user other than the server login among them.
int RunDueReport(const DueReportRequest& request, std::shared_ptr<HostEnvironment> environment);

}  // namespace zel
