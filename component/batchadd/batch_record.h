#pragma once

#include <string>

#include "core/correspondence_row.h"

namespace zel {
class IRecordset;
}

namespace korvel {

// One correspondence row that batch add creates: the item's own stock settings (the fields with
// a batch slot read from the item) for the target warehouse.
struct BatchRecord {
    // "select top 1 iTopSum,...,dLastDate from Inventory where cInvCode='code' and A and F".
    static std::string DefaultsQuery(const std::string& invCode, const std::string& sAuthInvW,
                                     const std::string& endDateFilter);
    // The keys and the defaults from the query's first row; the defaults all empty when it gave
    // none.
    static CorrespondenceRow RowOf(const std::string& whCode, const std::string& invCode,
                                   const zel::IRecordset* defaults);
};

}  // namespace korvel
