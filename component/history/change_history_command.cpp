#include "history/change_history_command.h"

#include "history/frm_change_history.h"
#include "history/restore_command.h"
#include "mainwindow/frm_whinv_contra.h"

namespace korvel {
namespace {

std::vector<ChangeValueKey> ValueKeysOf(const std::vector<ChangeHistoryEntry>& values) {
    std::vector<ChangeValueKey> keys;
    keys.reserve(values.size());
    for (const ChangeHistoryEntry& value : values) {
        keys.push_back({value.change, value.warehouseCode, value.inventoryCode, value.field});
    }
    return keys;
}

}  // namespace

decltype(MainWindowCommands::changeHistory) ChangeHistoryCommand() {
    return [](FrmWhInvContra& main, QWidget& over, const HistoryScope& scope) {
        ComponentContext& context = main.Context();
        ChangeHistoryLinks links;
        if (scope.lookOnly) {
            links.offReason = "Zel.AA.WHINVCONTRAPOSE.HISTORY.lookonly";
        } else {
            links.restore = [&context](const std::vector<ChangeHistoryEntry>& values) {
                return RestoreCommand::RestoreValues(context, ValueKeysOf(values), {});
            };
            links.undo = [&context](const std::vector<long long>& changes) {
                return RestoreCommand::UndoEntries(context, changes, {});
            };
            links.refreshMain = [&main] { main.DataRefresh(); };
        }
        FrmChangeHistory window(context,
                                {.warehouse = scope.warehouse, .inventory = scope.inventory},
                                std::move(links), &over);
        context.login.pub->ShowModal(window, &over);
    };
}

}  // namespace korvel
