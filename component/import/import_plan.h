#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/correspondence_field.h"

namespace korvel {

// What the preview found for one data row of an imported file, and what applying it writes.
enum class ImportVerdict { kNew, kChanged, kUnchanged, kRefused };

// One field of an imported row, both values as stored (numbers with every decimal, dates as
// yyyy-mm-dd, the cycle unit as its code, a person by code); before is "" for a new row.
struct ImportFieldValue {
    const CorrespondenceField* field = nullptr;
    std::string before;
    std::string after;
};

struct ImportRowOutcome {
    // The file's row number as a spreadsheet shows it: the header is row 1.
    std::size_t sourceRow = 0;
    std::string warehouseCode;
    std::string inventoryCode;
    ImportVerdict verdict = ImportVerdict::kRefused;
    // New: every field the file gives; changed: only the fields whose value changes.
    std::vector<ImportFieldValue> fields;
    // Refused only: why, in the user's words.
    std::string reason;
    // Refused only: the row's cells as read, so that the refused rows can be written back out
    // with the reason beside them, corrected and imported again.
    std::vector<std::string> cells;
};

}  // namespace korvel
