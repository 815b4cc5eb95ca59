#pragma once

#include "app/report/report_status.h"

namespace zel {

// How whinv-import ends, for the script that runs it: the statuses of whinv-report, and one more.
inline constexpr int kImportDone = kReportWritten;
// The account, the file or the write failed; nothing was written.
inline constexpr int kImportFailed = kReportFailed;
inline constexpr int kImportBadRequest = kReportBadRequest;
// Rows were refused and the import is all or nothing: nothing was written (in a dry run, nothing
// would be).
inline constexpr int kImportRowsRefused = 3;

inline constexpr std::string_view kImportProgram = "whinv-import";

}  // namespace zel
