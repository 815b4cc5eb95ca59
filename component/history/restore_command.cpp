#include "history/restore_command.h"

#include <algorithm>

#include "core/common.h"
#include "core/component_context.h"
#include "core/form_key.h"
#include "core/host_lock.h"
#include "history/restore_plan.h"

namespace korvel {
namespace {

// How many codes a message names before it stops.
constexpr std::size_t kNamedRows = 5;

std::string NamedRows(const std::vector<RestoreRowKey>& rows) {
    std::string text;
    for (std::size_t i = 0; i < std::min(rows.size(), kNamedRows); ++i) {
        text += (i == 0 ? "" : ", ") + rows[i].warehouse + "/" + rows[i].inventory;
    }
    return rows.size() > kNamedRows ? text + " …" : text;
}

// Whether the plan may be written: every chosen row writable, something left to put back, and
// the user's consent to leave the rows changed since.
bool Approved(zel::IPub& pub, const RestorePlan& plan) {
    if (!plan.read) {
        ShowInfoMessage(
            pub, pub.GetResFormatString("Zel.AA.WHINVCONTRAPOSE.RESTORE.failed", {plan.error}));
        return false;
    }
    if (!plan.unwritable.empty()) {
        ShowInfoMessage(pub, pub.GetResFormatString("Zel.AA.WHINVCONTRAPOSE.RESTORE.not_writable",
                                                    {std::to_string(plan.unwritable.size()),
                                                     NamedRows(plan.unwritable)}));
        return false;
    }
    const RestoreDecision& decision = plan.decision;
    const std::string changedSince = std::to_string(decision.changedSince.size());
    if (decision.restorable == 0) {
        ShowInfoMessage(
            pub, decision.changedSince.empty()
                     ? pub.GetResString("Zel.AA.WHINVCONTRAPOSE.RESTORE.nothing")
                     : pub.GetResFormatString("Zel.AA.WHINVCONTRAPOSE.RESTORE.all_changed_since",
                                              {changedSince, NamedRows(decision.changedSince)}));
        return false;
    }
    if (decision.changedSince.empty()) {
        return true;
    }
    const std::string question = pub.GetResFormatString(
        "Zel.AA.WHINVCONTRAPOSE.RESTORE.ask_others",
        {changedSince, NamedRows(decision.changedSince), std::to_string(decision.restorable)});
    return pub.MsgBox(question, zel::kMsgYesNo + zel::kMsgQuestion,
                      pub.GetResString("Zel.AA.ARCHIVE.COMMON.exclamation")) == zel::kAnswerYes;
}

bool Restore(ComponentContext& context, const RestoreScope& scope,
             const RestoreCommand::Refresh& refresh) {
    LoginContext& login = context.login;
    if (scope.Empty() || !login.pub || !login.db) {
        return false;
    }
    zel::IPub& pub = *login.pub;
    // The other changing windows wait meanwhile, so that what was decided is what gets written.
    const auto lock = HostLock::Take(login.pub, login.db, login.login, kFormKey, zel::kLockEdit);
    if (!lock) {
        return false;
    }
    const RestorePlan plan = PlanRestore(login, scope);
    if (!Approved(pub, plan)) {
        return false;
    }
    const RestoreOutcome outcome = WriteRestore(login, plan);
    if (outcome.wroteSome && refresh) {
        refresh();
    }
    if (!outcome.done) {
        ShowInfoMessage(pub, pub.GetResFormatString(
                                 outcome.wroteSome ? "Zel.AA.WHINVCONTRAPOSE.RESTORE.failed_partly"
                                                   : "Zel.AA.WHINVCONTRAPOSE.RESTORE.failed",
                                 {outcome.error}));
        return outcome.wroteSome;
    }
    ShowInfoMessage(pub, pub.GetResFormatString("Zel.AA.WHINVCONTRAPOSE.RESTORE.done",
                                                {std::to_string(plan.decision.restorable)}));
    return true;
}

}  // namespace

bool RestoreCommand::RestoreValues(ComponentContext& context,
                                   const std::vector<ChangeValueKey>& values,
                                   const Refresh& refresh) {
    return Restore(context, RestoreScope::OfValues(values), refresh);
}

bool RestoreCommand::UndoEntry(ComponentContext& context, long long change,
                               const Refresh& refresh) {
    return UndoEntries(context, {change}, refresh);
}

bool RestoreCommand::UndoEntries(ComponentContext& context, const std::vector<long long>& changes,
                                 const Refresh& refresh) {
    return Restore(context, RestoreScope::OfEntries(changes), refresh);
}

}  // namespace korvel
