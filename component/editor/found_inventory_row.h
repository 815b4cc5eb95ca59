#pragma once

#include "core/correspondence_row.h"
#include "editor/record_entry_checks.h"

namespace korvel {

// The fields an item's look-up fills, the unit as its list text; the others stay unset.
CorrespondenceRow RowOfInventory(const FoundInventory& item);

}  // namespace korvel
