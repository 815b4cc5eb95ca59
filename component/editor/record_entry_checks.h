#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/component_context.h"
#include "core/correspondence_field.h"
#include "interfaces/recordset.h"

namespace korvel {

// A warehouse or a person as its look-up found it.
struct FoundEntry {
    std::string code;
    std::string name;
};

// An inventory item as its look-up found it, in the texts the editor's boxes show.
struct FoundInventory {
    std::string code;
    std::string name;
    std::string invStd;
    std::string groupCode;
    std::string groupName;
    std::string unitCode;
    std::string unitName;
    // Formatted with the account's quantity digits.
    std::string safeNum;
    std::string topSum;
    std::string lowSum;
    std::string wastage;
    std::string frequency;
    // The unit's list text for the code the item stores; the code itself when no text has it.
    std::string unitText;
    std::string days;
    // "" when the item was never counted.
    std::string lastDate;
    // Trimmed; "" when the item has none.
    std::string defaultWarehouse;
};

// The quantities of a stored correspondence row, exactly as held, as texts the database service
// reads back without loss ("" for Null).
struct StoredQuantities {
    std::string topSum;
    std::string lowSum;
    std::string safeNum;
    std::string wastage;
};

// A refusal by the stock-limit rule: the message and the field whose box takes the focus.
struct LimitRefusal {
    std::string message;
    const CorrespondenceField* field;
};

// The record editor's look-ups and entry checks, without a window: what the user typed into a
// field goes in, what the database holds for it comes out. Every look-up answers nullopt when
// nothing matches within the user's read rights, and also when its query fails, so that a
// broken connection never lets an unchecked code through; a failed query is told to the user
// with the database's reason, and LastLookupFailed says so to the caller.
class RecordEntryChecks {
public:
    explicit RecordEntryChecks(const ComponentContext& context);

    // By code or name, within the inventory read right and not ended on the business date.
    std::optional<FoundInventory> FindInventory(const std::string& text) const;
    std::optional<FoundEntry> FindWarehouse(const std::string& text) const;
    std::optional<FoundEntry> FindPerson(const std::string& text) const;
    // An item's default warehouse, with no right tested (the service decides on saving); only
    // a code that names exactly one warehouse.
    std::optional<FoundEntry> FindDefaultWarehouse(const std::string& code) const;
    // The name of a warehouse the user may read; "" when there is none.
    std::string WarehouseName(const std::string& code) const;
    // The quantities of a correspondence row the user may read.
    std::optional<StoredQuantities> ReadStoredQuantities(const std::string& warehouseCode,
                                                         const std::string& inventoryCode) const;
    // The picker's rows for a table under a write condition and the box's match condition.
    std::string PickerItemQuery(const std::string& table, const std::string& writeCondition,
                                const std::string& match) const;

    // A count or a loss rate of zero: a text that is not empty and reads as 0, the way the host's
    // number boxes read it (leading number, 0 when there is none).
    static bool IsZeroEntry(std::string_view text);

    // The row's limits and loss rate, as its boxes hold them, by the stock-limit rule that
    // multi-record modify keeps. A limit whose text is no number is left to the database
    // service, which refuses it on saving.
    std::optional<LimitRefusal> RefuseStockLimits(
        const std::function<std::string(const CorrespondenceField&)>& boxText) const;
    // The loss rate alone, read as the host's number boxes read it (see IsZeroEntry); nothing
    // for an empty box.
    std::optional<std::string> RefuseLossRate(std::string_view text) const;

    // Whether the last look-up's query could not be run (the user was told why), rather than
    // found nothing.
    bool LastLookupFailed() const { return lastLookupFailed_; }

private:
    std::string EndDateFilter() const;
    FoundInventory InventoryOf(const zel::IRecordset& item) const;
    std::shared_ptr<zel::IRecordset> Query(const std::string& sql) const;

    const ComponentContext& context_;
    mutable bool lastLookupFailed_ = false;
};

}  // namespace korvel
