#pragma once

#include <string>
#include <vector>

#include "history/change_restore.h"

namespace korvel {

struct LoginContext;

// Which value rows of the history a restore reads and writes back: every value row of some
// entries, or the value rows the user chose. A row that was made or removed is put back whole, so
// its value rows count as chosen together.
class RestoreScope {
public:
    // Empty when no entry is given.
    static RestoreScope OfEntries(const std::vector<long long>& changes);
    // Empty when nothing is chosen.
    static RestoreScope OfValues(const std::vector<ChangeValueKey>& values);

    bool Empty() const { return rows_.empty(); }
    // On whinv_change_value aliased v: the value rows of the chosen rows.
    const std::string& RowsCondition() const { return rows_; }
    // On v: 1 for a chosen value row, else 0.
    const std::string& ChosenFlag() const { return chosen_; }

private:
    std::string rows_;
    std::string chosen_;
};

// The statements of a restore, in the host's dialect. Every value written is taken from the
// history by the statement itself, and each statement writes back only where the row still holds
// what the entry left, so that a row changed since the restore was decided is left as it is.
namespace RestoreStatements {

// iChange, cWhCode, cInvCode, cField, cOld, cNew (values as text), bChosen.
std::string ValuesQuery(const RestoreScope& scope);
// cWhCode, cInvCode, then each restorable field as text in RestorableFields()'s order, of the
// rows the chosen rows name now.
std::string CurrentRowsQuery(const RestoreScope& scope);
// cWhCode, cInvCode of the chosen rows whose warehouse, item or storekeeper (now or put back)
// the login may not write.
std::string UnwritableRowsQuery(const RestoreScope& scope, const LoginContext& login);

// The writes of one step over its entries (changes), whose rows are all different.
std::string DeleteMade(const RestoreScope& scope, const std::vector<long long>& changes);
// fields: positions in RestorableFields().
std::string UpdateChanged(const RestoreScope& scope, const std::vector<long long>& changes,
                          const std::vector<int>& fields);
std::string InsertRemoved(const RestoreScope& scope, const std::vector<long long>& changes);

}  // namespace RestoreStatements

}  // namespace korvel
