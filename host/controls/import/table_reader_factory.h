#pragma once

#include <QString>
#include <memory>
#include <string>

#include "host/controls/import/table_reader.h"

namespace zel {

enum class TableFormat {
    // XLSX when the file begins as a zip archive (or as an older binary workbook, which the
    // XLSX reader then refuses with a reason) or its name ends in .xlsx; CSV otherwise.
    kAuto,
    kCsv,
    kXlsx,
};

// The format kAuto stands for with this file.
TableFormat DetectTableFormat(const QString& path);

// A reader of the file in the format, already opened: its Error() says whether Open failed.
// sheet chooses a workbook's sheet by name (empty: the first); CSV has none.
std::unique_ptr<TableReader> OpenTableReader(const QString& path, TableFormat format,
                                             const std::string& sheet = {});

}  // namespace zel
