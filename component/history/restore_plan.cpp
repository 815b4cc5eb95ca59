#include "history/restore_plan.h"

#include "core/login_context.h"
#include "interfaces/cls_common.h"
#include "interfaces/recordset.h"

namespace korvel {
namespace {

RestoreValue ValueAt(const zel::IRecordset& rows, int index) {
    const auto value = rows.Fields(index);
    if (!value || value->IsNull()) {
        return std::nullopt;
    }
    return value->ToString();
}

std::string TextAt(const zel::IRecordset& rows, int index) {
    return ValueAt(rows, index).value_or(std::string());
}

// Reads every row of the query with read; false with the database's reason when it fails.
template <typename Read>
bool ReadAll(zel::IClsCommon& db, const std::string& sql, std::string& error, Read read) {
    const auto rows = db.Openforward(sql);
    if (!rows) {
        error = db.LastError();
        return false;
    }
    for (; !rows->Eof(); rows->MoveNext()) {
        read(*rows);
    }
    // A read broken off part way must not pass for the whole: a restore would leave the rest.
    if (!rows->IsOpen()) {
        error = db.LastError();
        return false;
    }
    return true;
}

bool ReadValues(zel::IClsCommon& db, const RestoreScope& scope, std::vector<RecordedValue>& values,
                std::string& error) {
    return ReadAll(db, RestoreStatements::ValuesQuery(scope), error,
                   [&](const zel::IRecordset& rows) {
                       values.push_back({.change = std::stoll(TextAt(rows, 0)),
                                         .row = {TextAt(rows, 1), TextAt(rows, 2)},
                                         .field = TextAt(rows, 3),
                                         .oldValue = ValueAt(rows, 4),
                                         .newValue = ValueAt(rows, 5),
                                         .selected = TextAt(rows, 6) == "1"});
                   });
}

bool ReadCurrentRows(zel::IClsCommon& db, const RestoreScope& scope,
                     std::vector<CurrentRow>& current, std::string& error) {
    const std::size_t fields = RestorableFields().size();
    return ReadAll(db, RestoreStatements::CurrentRowsQuery(scope), error,
                   [&](const zel::IRecordset& rows) {
                       CurrentRow& row = current.emplace_back();
                       row.row = {TextAt(rows, 0), TextAt(rows, 1)};
                       for (std::size_t i = 0; i < fields; ++i) {
                           row.values.push_back(ValueAt(rows, static_cast<int>(i) + 2));
                       }
                   });
}

bool ReadUnwritable(const LoginContext& login, const RestoreScope& scope,
                    std::vector<RestoreRowKey>& unwritable, std::string& error) {
    return ReadAll(*login.db, RestoreStatements::UnwritableRowsQuery(scope, login), error,
                   [&](const zel::IRecordset& rows) {
                       unwritable.push_back({TextAt(rows, 0), TextAt(rows, 1)});
                   });
}

}  // namespace

RestorePlan PlanRestore(const LoginContext& login, const RestoreScope& scope) {
    RestorePlan plan;
    plan.scope = scope;
    std::vector<RecordedValue> values;
    std::vector<CurrentRow> current;
    plan.read = ReadUnwritable(login, scope, plan.unwritable, plan.error) &&
                ReadValues(*login.db, scope, values, plan.error) &&
                ReadCurrentRows(*login.db, scope, current, plan.error);
    if (plan.read) {
        plan.decision = DecideRestore(values, current);
    }
    return plan;
}

RestoreOutcome WriteRestore(const LoginContext& login, const RestorePlan& plan) {
    RestoreOutcome outcome;
    for (const RestoreStep& step : plan.decision.steps) {
        std::vector<std::string> statements;
        if (step.deletesMade) {
            statements.push_back(RestoreStatements::DeleteMade(plan.scope, step.changes));
        }
        if (!step.updatedFields.empty()) {
            statements.push_back(
                RestoreStatements::UpdateChanged(plan.scope, step.changes, step.updatedFields));
        }
        if (step.insertsRemoved) {
            statements.push_back(RestoreStatements::InsertRemoved(plan.scope, step.changes));
        }
        for (const std::string& statement : statements) {
            if (!login.db->ExecuteX(statement)) {
                outcome.error = login.db->LastError();
                return outcome;
            }
            outcome.wroteSome = true;
        }
    }
    outcome.done = true;
    return outcome;
}

}  // namespace korvel
