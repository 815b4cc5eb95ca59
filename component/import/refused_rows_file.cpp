#include "import/refused_rows_file.h"

#include <algorithm>

#include "host/controls/export/csv_table_writer.h"
#include "host/controls/export/xlsx_table_writer.h"
#include "import/exact_number.h"

namespace korvel {
namespace {

constexpr const char* kReasonCaption = "Zel.AA.WHINVCONTRAPOSE.IMPORT.reason_column";
constexpr const char* kTooLarge = "Zel.AA.WHINVCONTRAPOSE.IMPORT.refused_too_large";

int Decimals(const std::string& cell) {
    const auto number = ExactNumber(cell);
    if (!number) {
        return 0;
    }
    const std::size_t point = number->find('.');
    return point == std::string::npos ? 0 : static_cast<int>(number->size() - point - 1);
}

std::vector<zel::ExportColumn> Columns(const std::vector<std::string>& header,
                                       const ImportColumnMapping& mapping,
                                       const std::vector<ImportRowOutcome>& rows) {
    std::vector<zel::ExportColumn> columns(header.size() + 1);
    for (std::size_t column = 0; column < header.size(); ++column) {
        const CorrespondenceField* field = mapping.FieldOf(column);
        if (!field || !HoldsNumber(*field)) {
            continue;
        }
        int decimals = 0;
        for (const ImportRowOutcome& row : rows) {
            if (row.verdict == ImportVerdict::kRefused && column < row.cells.size()) {
                decimals = std::max(decimals, Decimals(row.cells[column]));
            }
        }
        columns[column] = {zel::FieldKind::kNumber, decimals};
    }
    return columns;
}

}  // namespace

bool WriteRefusedRowsFile(const std::string& path, RefusedRowsFormat format,
                          const std::vector<std::string>& header,
                          const ImportColumnMapping& mapping,
                          const std::vector<ImportRowOutcome>& rows, zel::IPub& pub,
                          std::string& reason) {
    zel::PrintData data;
    data.headers = header;
    data.headers.push_back(pub.GetResString(kReasonCaption));
    for (const ImportRowOutcome& row : rows) {
        if (row.verdict != ImportVerdict::kRefused) {
            continue;
        }
        bool held = true;
        for (std::size_t column = 0; column < header.size(); ++column) {
            held = held && data.cells.push_back(column < row.cells.size() ? row.cells[column]
                                                                          : std::string());
        }
        if (!held || !data.cells.push_back(row.reason)) {
            reason = pub.GetResString(kTooLarge);
            return false;
        }
    }
    const auto columns = Columns(header, mapping, rows);
    return format == RefusedRowsFormat::kXlsx ? zel::WriteXlsxTable(path, data, columns, reason)
                                              : zel::WriteCsvTable(path, data, columns, reason);
}

}  // namespace korvel
