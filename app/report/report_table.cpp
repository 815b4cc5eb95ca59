#include "app/report/report_table.h"

#include "app/report/report_status.h"
#include "app/report/standard_output_table.h"
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

std::unique_ptr<TableWriter> ReportTableWriter(const ReportOutput& output) {
    if (output.format == "xlsx") {
        return std::make_unique<XlsxTableWriter>(output.output);
    }
    if (output.output.empty()) {
        return std::make_unique<StandardOutputTable>();
    }
    return std::make_unique<CsvTableWriter>(output.output);
}

bool WriteReportTable(const ReportOutput& output, const PrintData& table,
                      const std::vector<ExportColumn>& columns, std::string& reason) {
    return WriteTable(*ReportTableWriter(output), table, columns, reason);
}

}  // namespace zel
