#include "history/change_history_command.h"

#include "history/frm_change_history.h"
#include "mainwindow/frm_whinv_contra.h"

namespace korvel {

decltype(MainWindowCommands::changeHistory) ChangeHistoryCommand() {
    return [](FrmWhInvContra& main, QWidget& over, const HistoryScope& scope) {
        ComponentContext& context = main.Context();
        ChangeHistoryLinks links;
        if (scope.lookOnly) {
            links.offReason = "Zel.AA.WHINVCONTRAPOSE.HISTORY.lookonly";
        } else {
            links.refreshMain = [&main] { main.DataRefresh(); };
        }
        ChangeHistoryFilter filter;
        filter.warehouse = scope.warehouse;
        filter.inventory = scope.inventory;
        FrmChangeHistory window(context, filter, std::move(links), &over);
        context.login.pub->ShowModal(window, &over);
    };
}

}  // namespace korvel
