#pragma once

#include <array>
#include <string>

namespace zel {
class IRecordset;
}

namespace korvel {

// One correspondence row that batch add creates: the item's own stock settings for the target
// warehouse.
struct BatchRecord {
    static constexpr std::array<const char*, 8> kDefaultColumns = {
        "iTopSum",    "iLowSum",    "iSafeNum", "iWastage",
        "iFrequency", "cFrequency", "iDays",    "dLastDate"};

    // "select top 1 iTopSum,...,dLastDate from Inventory where cInvCode='code' and A and F".
    static std::string DefaultsQuery(const std::string& invCode, const std::string& sAuthInvW,
                                     const std::string& endDateFilter);
    // The defaults from the query's first row; all empty when it gave none.
    static std::array<std::string, 8> DefaultsOf(const zel::IRecordset* defaults);

    // <WhInvContrapose><CWhCode>..</CWhCode><cInvCode>..</cInvCode><iTopSum>..</iTopSum>...
    // <cUserId>..</cUserId></WhInvContrapose>, every text escaped.
    std::string Xml() const;

    std::string whCode;
    std::string invCode;
    std::array<std::string, 8> defaults;
    std::string userId;
};

}  // namespace korvel
