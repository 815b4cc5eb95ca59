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
// Check refuses what only the service can judge (rights, the item's end date) and turns the texts
// into values; the rules of the row itself (cycle unit and day, references) are the schema's. The
// values go to the database only as bound parameters of the statements built here.
class CorrespondenceRecord {
public:
    struct Statement {
        std::string sql;
        std::vector<Variant> values;
    };

    // nullopt with the reason in message when the text is not such a record.
    static std::optional<CorrespondenceRecord> Parse(const std::string& xml, std::string& message);

    // Codes filled and known (and from then on spelt as their master rows spell them), the item
    // still in use on the business date (yyyy-mm-dd, nullopt when unknown) when adding, every
    // code writable by the record's cUserId, numbers and dates readable.
    bool Check(SqlBackend& backend, bool adding, const std::optional<std::string>& businessDate,
               std::string& message);

    const std::string& WarehouseCode() const { return warehouse_; }
    const std::string& InventoryCode() const { return inventory_; }
    Statement Insert(const std::string& now) const;
    // Changes only the columns the record carries, besides who changed it and when.
    Statement Update(const std::string& now) const;

private:
    // The codes name master rows, and an added row's item is in use on the business date. The
    // user's administrator flag (aa_user.bAdmin, Null without a user row) is read with them, in
    // the same look-up, for CheckRights.
    bool CheckMasterRows(SqlBackend& backend, bool adding,
                         const std::optional<std::string>& businessDate, Variant& administratorFlag,
                         std::string& message);
    bool CheckRights(SqlBackend& backend, const Variant& administratorFlag,
                     std::string& message) const;
    std::string PersonCode() const;
    bool CheckValue(SqlBackend& backend, const std::string& column, const std::string& declared,
                    std::string& message);
    void ClearDaysOutsideCycle();
    bool CheckDaysHaveUnit(std::string& message) const;

    std::string warehouse_;
    std::string inventory_;
    std::string user_;
    // Column name as the table spells it → the text of its element, as it came.
    std::map<std::string, std::string> texts_;
    // The same columns with the values to store, after Check.
    std::map<std::string, Variant> values_;
};

}  // namespace zel
