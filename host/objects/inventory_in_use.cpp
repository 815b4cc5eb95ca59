#include "host/objects/inventory_in_use.h"

namespace zel {

std::string InventoryInUseCondition(const std::optional<std::string>& dateValue) {
    if (!dateValue) {
        return "(Inventory.dEDate is null)";
    }
    return "(Inventory.dEDate is null or Inventory.dEDate>" + *dateValue + ")";
}

}  // namespace zel
