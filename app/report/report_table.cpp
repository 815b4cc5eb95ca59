#include "app/report/report_table.h"

#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "app/report/report_status.h"
#include "host/controls/export/csv_table_writer.h"
#include "host/controls/export/xlsx_table_writer.h"
#include "host/pub/export_grid_columns.h"

namespace zel {

std::optional<int> RefusedOutput(const ReportOutput& output) {
    if (output.format != "csv" && output.format != "xlsx") {
        return ReportFailure("--format is csv or xlsx, not " + output.format, kReportBadRequest);
    }
    if (output.format == "xlsx" && output.output.empty()) {
        return ReportFailure("an xlsx report needs --output FILE", kReportBadRequest);
    }
    return std::nullopt;
}

std::vector<ExportColumn> ReportColumns(IClsCommon& db, const std::string& columnsQuery,
                                        const PrintData& table) {
    const std::shared_ptr<IRecordset> fields = db.OpenX(columnsQuery);
    if (!fields) {
        return std::vector<ExportColumn>(table.headers.size());
    }
    return TableExportColumns(table, *fields);
}

bool WriteReportTable(const ReportOutput& output, const PrintData& table,
                      const std::vector<ExportColumn>& columns, std::string& reason) {
    if (output.format == "xlsx") {
        return WriteXlsxTable(output.output, table, columns, reason);
    }
    if (!output.output.empty()) {
        return WriteCsvTable(output.output, table, columns, reason);
    }
    // Standard output: written to a file of its own first, so that a broken write is told.
    QTemporaryDir folder;
    const std::string temporary = folder.filePath("report.csv").toStdString();
    if (!folder.isValid() || !WriteCsvTable(temporary, table, columns, reason)) {
        return false;
    }
    std::ifstream file(temporary, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0;
}

}  // namespace zel
