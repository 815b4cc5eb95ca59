#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "checkplan/next_check.h"

namespace zel {
class IClsCommon;
class IPub;
struct PrintData;
}  // namespace zel

namespace korvel {

struct LoginContext;

// Which rows a due list covers besides the user's read rights: one warehouse, one storekeeper,
// or all when empty.
struct DueCheckFilter {
    std::string warehouse;
    std::string storekeeper;
};

// One row due for a stock check.
struct DueCheck {
    std::string warehouseCode;
    std::string warehouseName;
    std::string inventoryCode;
    std::string inventoryName;
    std::string storekeeperCode;
    std::string storekeeperName;
    std::string lastCheck;  // empty: never counted
    NextCheck next;
};

// The rows with a stock-check cycle that the user may read (the inventory and warehouse read
// rights of the login), narrowed by the filter.
std::string DueChecksQuery(const LoginContext& login, const DueCheckFilter& filter);

// The rows of that query due on or before asOf, never counted first, then by next check, warehouse
// and item. Empty with ok false when the query fails.
std::vector<DueCheck> ReadDueChecks(zel::IClsCommon& db, const std::string& query,
                                    std::chrono::year_month_day asOf, bool& ok);

// The list as a table for printing and export: warehouse, item code and name, storekeeper, last
// check, next check and days overdue, captioned by the resource texts given.
struct DueCheckCaptions {
    std::vector<std::string> columns;  // eight: warehouse code and name, item code and name,
                                       // storekeeper, last check, next check, days overdue
    std::string neverCounted;
};
// The captions in the host's resource texts.
DueCheckCaptions DueCheckCaptionsOf(zel::IPub& pub);
zel::PrintData DueChecksTable(const std::vector<DueCheck>& rows, const DueCheckCaptions& captions,
                              std::chrono::year_month_day asOf);

}  // namespace korvel
