#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace zel {

// The exit status of a report: a script must tell a report written from one that is not, and a
// request it can fix from a failure of the account or the file.
inline constexpr int kReportWritten = 0;
inline constexpr int kReportFailed = 1;
inline constexpr int kReportBadRequest = 2;

// The program a message on standard error names; the scripts that log in as the reports do
// name themselves.
inline constexpr std::string_view kReportProgram = "whinv-report";

// Tells the reason on standard error and gives the status.
inline int ReportFailure(const std::string& reason, int status = kReportFailed,
                         std::string_view program = kReportProgram) {
    std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(program.size()), program.data(),
                 reason.c_str());
    return status;
}

}  // namespace zel
