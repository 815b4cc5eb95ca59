#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "core/check_cycle.h"

namespace zel {
class IClsCommon;
class IPub;
class IRecordset;
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
    // Planned on a date, never counted, or kBadDate: a last check the program cannot read.
    NextCheck next;
};

// The rows due on or before asOf that the user may read (the inventory and warehouse read rights
// of the login), narrowed by the filter, in the order the list shows them: the rows due at once
// (never counted, or a last check the program cannot read) first, then by next check, warehouse
// and item. The database keeps each row's next check, indexed in that order: only the due rows are
// read.
std::string DueChecksQuery(const LoginContext& login, const DueCheckFilter& filter,
                           std::chrono::year_month_day asOf);

// Reads the rows of that query a slice at a time, so that a window can show the first ones while
// the rest are still read.
class DueCheckReader {
public:
    DueCheckReader(zel::IClsCommon& db, const std::string& query);

    // Reads up to `records` more rows of the query and appends them to due.
    void ReadSome(std::size_t records, std::vector<DueCheck>& due);
    bool AtEnd() const;
    // The query failed, or the read broke off part way: what was read is not the whole list.
    bool Failed() const;

private:
    std::shared_ptr<zel::IRecordset> rows_;
};

// Every row of that query, in its order. Empty with ok false when the query fails or its read
// breaks off: part of what is due is never passed off as all of it.
std::vector<DueCheck> ReadDueChecks(zel::IClsCommon& db, const std::string& query, bool& ok);

// The list as a table for printing and export: warehouse, item code and name, storekeeper, last
// check, next check and days overdue, captioned by the resource texts given.
struct DueCheckCaptions {
    std::vector<std::string> columns;  // eight: warehouse code and name, item code and name,
                                       // storekeeper, last check, next check, days overdue
    std::string neverCounted;
    // In place of the next check of a row whose last check the program cannot read.
    std::string unreadableLastCheck;
};
// The captions in the host's resource texts.
DueCheckCaptions DueCheckCaptionsOf(zel::IPub& pub);
// A query of no rows whose columns are those of the table, each named and sized as the field its
// cells come from, so that an export knows the texts, dates and numbers apart.
std::string DueChecksColumnsQuery();
// One row's cells in the table's columns.
std::vector<std::string> DueCheckCells(const DueCheck& row, const DueCheckCaptions& captions,
                                       std::chrono::year_month_day asOf);
zel::PrintData DueChecksTable(const std::vector<DueCheck>& rows, const DueCheckCaptions& captions,
                              std::chrono::year_month_day asOf);

}  // namespace korvel
