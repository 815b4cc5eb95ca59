#include "history/change_history_command.h"

#include "history/frm_change_history.h"
#include "mainwindow/frm_whinv_contra.h"

namespace korvel {

decltype(MainWindowCommands::changeHistory) ChangeHistoryCommand() {
    return [](FrmWhInvContra& main, QWidget& over, const HistoryScope& scope) {
        ComponentContext& context = main.Context();
        ChangeHistoryLinks links;
        if (!scope.lookOnly) {
            links.refreshMain = [&main] { main.DataRefresh(); };
        }
        FrmChangeHistory window(context, {.warehouse = scope.warehouse, .inventory = scope.inventory},
                                std::move(links), &over);
        context.login.pub->ShowModal(window, &over);
    };
}

}  // namespace korvel
