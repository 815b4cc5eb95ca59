#pragma once

#include <string>
#include <vector>

#include "core/field_catalogue.h"
#include "import/import_column_mapping.h"
#include "import/import_plan.h"
#include "interfaces/pub.h"

namespace korvel {

enum class RefusedRowsFormat { kCsv, kXlsx };

// Writes the refused rows of a preview, their cells as read, under the file's own header with a
// column of the reasons added at the end, through the export's writers: the file can be
// corrected and imported again (the mapping ignores the reason column). Columns of number fields
// are number columns, so that a spreadsheet computes with them. False with the system's reason
// when the file cannot be written.
bool WriteRefusedRowsFile(const std::string& path, RefusedRowsFormat format,
                          const std::vector<std::string>& header,
                          const ImportColumnMapping& mapping,
                          const std::vector<ImportRowOutcome>& rows, zel::IPub& pub,
                          std::string& reason);

}  // namespace korvel
