#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/database/sql_backend.h"
#include "interfaces/variant.h"

namespace zel {

// A warehouse–inventory correspondence as the editor and the batch window write it:
// <WhInvContrapose><CWhCode>..</CWhCode><cInvCode>..</cInvCode><itopsum>..</itopsum>...
// <cUserId>..</cUserId></WhInvContrapose>, element names in any letter case. Parse reads it,
// Check refuses anything the table must not hold; the values go to the database only as bound
// parameters of the statements built here.
class CorrespondenceRecord {
public:
    struct Statement {
        std::string sql;
        std::vector<Variant> values;
    };

    // nullopt with the reason in message when the text is not such a record.
    static std::optional<CorrespondenceRecord> Parse(const std::string& xml, std::string& message);

    // Codes filled and known, the item still in use on today (yyyy-mm-dd) when adding, every
    // code writable by the record's cUserId, numbers, dates and the check cycle sound. For a
    // change, the stored cycle unit or day completes the pair when the record carries only one
    // of them.
    bool Check(SqlBackend& backend, bool adding, const std::string& today, std::string& message);

    const std::string& WarehouseCode() const { return warehouse_; }
    const std::string& InventoryCode() const { return inventory_; }
    Statement Insert(const std::string& now) const;
    // Changes only the columns the record carries, besides who changed it and when.
    Statement Update(const std::string& now) const;

private:
    bool CheckCodes(SqlBackend& backend, std::string& message) const;
    bool CheckInUse(SqlBackend& backend, const std::string& today, std::string& message) const;
    bool CheckRights(SqlBackend& backend, std::string& message) const;
    std::string PersonCode() const;
    bool CheckValue(SqlBackend& backend, const std::string& column, const std::string& declared,
                    std::string& message);
    bool CheckCycle(SqlBackend& backend, bool adding, std::string& message) const;
    void ClearDaysOutsideCycle();
    std::optional<std::string> StoredText(SqlBackend& backend, const std::string& column) const;

    std::string warehouse_;
    std::string inventory_;
    std::string user_;
    // Column name as the table spells it → the text of its element, as it came.
    std::map<std::string, std::string> texts_;
    // The same columns with the values to store, after Check.
    std::map<std::string, Variant> values_;
};

}  // namespace zel
