#pragma once

#include <cstdio>
#include <string>

namespace zel {

// The exit status of a report: a script must tell a report written from one that is not, and a
// request it can fix from a failure of the account or the file.
inline constexpr int kReportWritten = 0;
inline constexpr int kReportFailed = 1;
inline constexpr int kReportBadRequest = 2;

// Tells the reason on standard error and gives the status.
inline int ReportFailure(const std::string& reason, int status = kReportFailed) {
    std::fprintf(stderr, "whinv-report: %s\n", reason.c_str());
    return status;
}

}  // namespace zel
