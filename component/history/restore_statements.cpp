#include "history/restore_statements.h"

#include "core/field_conditions.h"
#include "core/login_context.h"
#include "core/text_escaping.h"

namespace korvel {
namespace {

// The history holds numbers as text on the server; on a file the cast keeps the stored number.
std::string Typed(const CorrespondenceField& field, const std::string& value) {
    return HoldsNumber(field) ? "cast(" + value + " as numeric)" : value;
}

// Equal or both empty; the history holds every value as text.
std::string Same(const CorrespondenceField& field, const std::string& stored,
                 const std::string& recorded) {
    return SameOrBothNull(field, stored, Typed(field, recorded));
}

std::string Column(const CorrespondenceField& field) {
    return std::string(field.column);
}

std::string IsField(const CorrespondenceField& field) {
    return "v.cField=" + SqlQuoted(field.column);
}

// On whinv_change_value aliased w.
std::string EntriesCondition(const std::vector<long long>& changes) {
    std::vector<std::string> numbers;
    for (const long long change : changes) {
        numbers.push_back(std::to_string(change));
    }
    return "w.iChange in (" + Joined(numbers, ", ") + ")";
}

// The value rows of the step's chosen rows of one kind, one row per key: for each restorable
// field has_F (a chosen value of F), old_F and new_F. Keys are told apart as written too: on the
// server a change of a code's letter case leaves one row and makes another whose keys differ in
// nothing else.
std::string RowsOfStep(const RestoreScope& scope, const std::vector<long long>& changes,
                       RecordedRowKind kind) {
    std::vector<std::string> columns = {"v.cWhCode as cWhCode", "v.cInvCode as cInvCode"};
    for (const CorrespondenceField* field : RestorableFields()) {
        const std::string name = Column(*field);
        columns.push_back("max(case when " + IsField(*field) +
                          " and v.bChosen=1 then 1 else 0 end) as has_" + name);
        columns.push_back("max(case when " + IsField(*field) + " then v.cOldValue end) as old_" +
                          name);
        columns.push_back("max(case when " + IsField(*field) + " then v.cNewValue end) as new_" +
                          name);
    }
    const std::string isWarehouse = IsField(Field("cWhCode"));
    std::string having;
    switch (kind) {
        case RecordedRowKind::kMade:
            having =
                "max(case when " + isWarehouse + " and v.cOldValue is null then 1 else 0 end)=1";
            break;
        case RecordedRowKind::kRemoved:
            having =
                "max(case when " + isWarehouse + " and v.cNewValue is null then 1 else 0 end)=1";
            break;
        case RecordedRowKind::kChanged:
            having = "max(case when " + isWarehouse +
                     " and (v.cOldValue is null or v.cNewValue is null) then 1 else 0 end)=0";
            break;
    }
    return "(select " + Joined(columns, ", ") + " from (select w.*, " + scope.ChosenFlag() +
           " as bChosen from whinv_change_value w where " + EntriesCondition(changes) + " and " +
           scope.RowsCondition() +
           ") v group by v.cWhCode, v.cInvCode, cast(v.cWhCode as varchar), cast(v.cInvCode as "
           "varchar) having " +
           having + ") r";
}

std::string ValueRowTuple(long long change, const std::string& warehouse,
                          const std::string& inventory) {
    return std::to_string(change) + ", " + SqlQuoted(warehouse) + ", " + SqlQuoted(inventory);
}

}  // namespace

RestoreScope RestoreScope::OfEntries(const std::vector<long long>& changes) {
    RestoreScope scope;
    if (!changes.empty()) {
        scope.rows_ = EntriesCondition(changes);
        scope.chosen_ = "1";
    }
    return scope;
}

RestoreScope RestoreScope::OfValues(const std::vector<ChangeValueKey>& values) {
    RestoreScope scope;
    if (values.empty()) {
        return scope;
    }
    std::vector<std::string> rows;
    std::vector<std::string> chosen;
    for (const ChangeValueKey& value : values) {
        const std::string row = ValueRowTuple(value.change, value.warehouse, value.inventory);
        rows.push_back("(" + row + ")");
        chosen.push_back("(" + row + ", " + SqlQuoted(value.field) + ")");
    }
    // A list of tuples rather than a chain of "or", which the engines nest and limit.
    scope.rows_ = "(w.iChange, w.cWhCode, w.cInvCode) in (values " + Joined(rows, ", ") + ")";
    scope.chosen_ = "case when (w.iChange, w.cWhCode, w.cInvCode, w.cField) in (values " +
                    Joined(chosen, ", ") + ") then 1 else 0 end";
    return scope;
}

namespace RestoreStatements {

std::string ValuesQuery(const RestoreScope& scope) {
    return "select w.iChange, w.cWhCode, w.cInvCode, w.cField, cast(w.cOldValue as varchar) as "
           "cOld, cast(w.cNewValue as varchar) as cNew, " +
           scope.ChosenFlag() + " as bChosen from whinv_change_value w where " +
           scope.RowsCondition();
}

std::string CurrentRowsQuery(const RestoreScope& scope) {
    std::vector<std::string> columns = {"t.cWhCode", "t.cInvCode"};
    for (const CorrespondenceField* field : RestorableFields()) {
        columns.push_back("cast(t." + Column(*field) + " as varchar) as " + Column(*field));
    }
    return "select " + Joined(columns, ", ") +
           " from WhInvContrapose t where (t.cWhCode, t.cInvCode) in (select w.cWhCode, "
           "w.cInvCode from whinv_change_value w where " +
           scope.RowsCondition() + ")";
}

std::string UnwritableRowsQuery(const RestoreScope& scope, const LoginContext& login) {
    const auto personRefused = [&](const std::string& code) {
        return "(" + code +
               " is not null and not exists (select 1 from Person where "
               "Person.cPersonCode=" +
               code + " and " + login.sAuthPersonW + "))";
    };
    // The storekeeper the row has now, and the one a value row would put back.
    return "select distinct w.cWhCode, w.cInvCode from whinv_change_value w left join Warehouse "
           "on Warehouse.cWhCode=w.cWhCode left join Inventory on Inventory.cInvCode=w.cInvCode "
           "left join WhInvContrapose t on t.cWhCode=w.cWhCode and t.cInvCode=w.cInvCode where " +
           scope.RowsCondition() + " and ((case when " + login.sAuthWhW + " and " +
           login.sAuthInvW + " then 1 else 0 end)=0 or " + personRefused("t.cWhPersonCode") +
           " or (w.cField=" + SqlQuoted(Field("cWhPersonCode").column) + " and " +
           personRefused("w.cOldValue") + "))";
}

std::string DeleteMade(const RestoreScope& scope, const std::vector<long long>& changes) {
    std::vector<std::string> unchanged;
    for (const CorrespondenceField* field : RestorableFields()) {
        unchanged.push_back(Same(*field, "t." + Column(*field), "r.new_" + Column(*field)));
    }
    return "delete from WhInvContrapose where (cWhCode, cInvCode) in (select t.cWhCode, "
           "t.cInvCode from " +
           RowsOfStep(scope, changes, RecordedRowKind::kMade) +
           " inner join WhInvContrapose t on t.cWhCode=r.cWhCode and t.cInvCode=r.cInvCode where " +
           Joined(unchanged, " and ") + ")";
}

std::string UpdateChanged(const RestoreScope& scope, const std::vector<long long>& changes,
                          const std::vector<int>& fields) {
    std::vector<std::string> assignments;
    std::vector<std::string> unchanged;
    for (const int index : fields) {
        const CorrespondenceField& field = *RestorableFields().at(static_cast<std::size_t>(index));
        const std::string name = Column(field);
        const std::string stored = "WhInvContrapose." + name;
        assignments.push_back(name + "=case when r.has_" + name + "=1 then " +
                              Typed(field, "r.old_" + name) + " else " + stored + " end");
        unchanged.push_back("(r.has_" + name + "=0 or " + Same(field, stored, "r.new_" + name) +
                            ")");
    }
    return "update WhInvContrapose set " + Joined(assignments, ", ") + " from " +
           RowsOfStep(scope, changes, RecordedRowKind::kChanged) +
           " where WhInvContrapose.cWhCode=r.cWhCode and WhInvContrapose.cInvCode=r.cInvCode and " +
           Joined(unchanged, " and ");
}

std::string InsertRemoved(const RestoreScope& scope, const std::vector<long long>& changes) {
    std::vector<std::string> columns;
    std::vector<std::string> values;
    for (const CorrespondenceField* field : RestorableFields()) {
        columns.push_back(Column(*field));
        values.push_back(Typed(*field, "r.old_" + Column(*field)));
    }
    return "insert into WhInvContrapose (" + Joined(columns, ", ") + ") select " +
           Joined(values, ", ") + " from " + RowsOfStep(scope, changes, RecordedRowKind::kRemoved) +
           " where not exists (select 1 from WhInvContrapose t where t.cWhCode=r.cWhCode and "
           "t.cInvCode=r.cInvCode)";
}

}  // namespace RestoreStatements

}  // namespace korvel
