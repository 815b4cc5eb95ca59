#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/controls/export/export_columns.h"
#include "host/controls/export/table_writer.h"
#include "host/controls/print/print_data.h"
#include "interfaces/cls_common.h"

namespace zel {

// Where and how a report is written.
struct ReportOutput {
    std::string format;  // "csv" or "xlsx"
    std::string output;  // empty: standard output (CSV only)
};

// A refusal's status, its reason told, when the output cannot be written as asked.
std::optional<int> RefusedOutput(const ReportOutput& output);

// The table's columns as the window describes them to its export, from a query of no rows whose
// columns are those of the table (dates as dates, numbers as numbers).
std::vector<ExportColumn> ReportColumns(IClsCommon& db, const std::string& columnsQuery,
                                        const PrintData& table);

// The writer of an output RefusedOutput accepts: its rows reach the file, or standard output,
// whole or not at all.
std::unique_ptr<TableWriter> ReportTableWriter(const ReportOutput& output);

// false with the reason when the table cannot be written whole.
bool WriteReportTable(const ReportOutput& output, const PrintData& table,
                      const std::vector<ExportColumn>& columns, std::string& reason);

}  // namespace zel
