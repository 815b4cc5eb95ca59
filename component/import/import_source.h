#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "host/controls/import/table_reader_factory.h"
#include "interfaces/pub.h"

namespace korvel {

// The file an import reads: where it is, its format, and for a workbook the sheet.
struct ImportSource {
    std::string path;
    zel::TableFormat format = zel::TableFormat::kAuto;
    // Empty: the workbook's first sheet.
    std::string sheet;
};

// Asks through the host's dialogs for a CSV or XLSX file, then, for a workbook of several sheets,
// for the sheet. nullopt when the user cancels, or when the file cannot be read (the reason was
// shown).
std::optional<ImportSource> ChooseImportSource(zel::IPub& pub, QWidget& over);

}  // namespace korvel
