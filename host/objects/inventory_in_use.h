#pragma once

#include <optional>
#include <string>

namespace zel {

// Whether an inventory item is still in use on a business date, as an SQL condition over
// Inventory.dEDate. One rule for the pickers' end-date filter and for the database service's
// check on adding: an item ending on the business date itself counts as ended there. dateValue
// is how the statement writes the date (a quoted literal, or "?" for a bound value); without a
// readable date only an item that never ends is surely in use.
std::string InventoryInUseCondition(const std::optional<std::string>& dateValue);

}  // namespace zel
