#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "db/demo/stock_settings.h"

namespace zel::demo {

// One row of Inventory, with what the correspondence rows need of it.
struct DemoItem {
    std::int64_t iId = 0;
    std::string cInvCode;
    std::optional<std::string> cInvAddCode;
    std::string cInvName;
    std::string cInvStd;
    std::string cInvCCode;
    std::string cGroupCode;
    std::string cComUnitCode;
    std::optional<std::string> cDefWareHouse;
    std::optional<StockSettings> own;  // the item's own stock settings, when it has them
    std::optional<std::string> dSDate;
    std::optional<std::string> dEDate;
    int stockScale = 1;
};

}  // namespace zel::demo
