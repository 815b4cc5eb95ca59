#pragma once

#include <string>

#include "host/controls/print/print_data.h"

namespace zel {

// Writes the header and the rows as CSV: UTF-8 with a byte-order mark (so that spreadsheet
// programs read the Chinese texts right), fields quoted where they hold a comma, a quote or a
// line break (quotes doubled), lines ended by CR LF. Every text is written exactly as it is:
// a guard against formulas (a leading apostrophe) would change texts such as "-5.00".
// The file is replaced only once it is written whole; false with the system's reason otherwise.
bool WriteCsvTable(const std::string& path, const PrintData& data, std::string& reason);

}  // namespace zel
