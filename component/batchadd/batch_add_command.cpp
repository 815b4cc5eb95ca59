#include "batchadd/batch_add_command.h"

#include "batchadd/frm_batch_add.h"
#include "mainwindow/frm_whinv_contra.h"

namespace korvel {

decltype(MainWindowCommands::batchAdd) BatchAddCommand() {
    return [](FrmWhInvContra& main) {
        ComponentContext& context = main.Context();
        FrmBatchAdd window(
            context, main.Trv(), [&main] { main.DataRefresh(); }, &main);
        context.login.pub->ShowModal(window, &main);
    };
}

}  // namespace korvel
