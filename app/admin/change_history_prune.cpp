#include "app/admin/change_history_prune.h"

#include "host/database/sql_backend.h"

namespace zel {
namespace {

std::optional<long> PruneOnServer(SqlBackend& backend, const std::string& before) {
    const auto statement = backend.Prepare("select whinv_change_prune(cast(? as date))");
    if (!statement || !statement->BindText(1, before) || statement->Step() != StepResult::Row) {
        return std::nullopt;
    }
    return static_cast<long>(statement->ColumnInteger(0));
}

// A time of the file's history reads 'yyyy-mm-dd hh:mm:ss', so every one of the day itself sorts
// after the day alone and is kept.
std::optional<long> PruneInFile(SqlBackend& backend, const std::string& before) {
    const auto values = backend.Prepare(
        "delete from whinv_change_value where iChange in "
        "(select iChange from whinv_change where dWhen < ?)");
    if (!values || !values->BindText(1, before) || values->Step() != StepResult::Done) {
        return std::nullopt;
    }
    const auto entries = backend.Prepare("delete from whinv_change where dWhen < ?");
    if (!entries || !entries->BindText(1, before) || entries->Step() != StepResult::Done) {
        return std::nullopt;
    }
    return backend.Changes();
}

}  // namespace

std::optional<long> PruneChangeHistory(SqlBackend& backend, bool onServer,
                                       const std::string& before) {
    return onServer ? PruneOnServer(backend, before) : PruneInFile(backend, before);
}

}  // namespace zel
