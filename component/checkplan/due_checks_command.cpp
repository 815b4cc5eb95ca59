#include "checkplan/due_checks_command.h"

#include "checkplan/frm_due_checks.h"
#include "mainwindow/frm_whinv_contra.h"

namespace korvel {

decltype(MainWindowCommands::dueChecks) DueChecksCommand() {
    return [](FrmWhInvContra& main) {
        ComponentContext& context = main.Context();
        FrmDueChecks window(
            context, [&main] { main.DataRefresh(); }, &main);
        window.Query();
        context.login.pub->ShowModal(window, &main);
    };
}

}  // namespace korvel
