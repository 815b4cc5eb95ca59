#include "checkplan/due_checks_command.h"

#include "checkplan/frm_due_checks.h"
#include "mainwindow/frm_whinv_contra.h"

namespace korvel {

decltype(MainWindowCommands::dueChecks) DueChecksCommand() {
    return [](FrmWhInvContra& main) {
        ComponentContext& context = main.Context();
        DueChecksLinks links{
            [&main] { main.DataRefresh(); },
            [&main](const RowKey& row) { return main.ModifyRowOf(row.warehouse, row.inventory); }};
        FrmDueChecks window(context, std::move(links), &main);
        context.login.pub->ShowModal(window, &main);
    };
}

}  // namespace korvel
