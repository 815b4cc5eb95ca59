#include "mulmodify/mul_modify_command.h"

#include "mainwindow/frm_whinv_contra.h"
#include "mulmodify/frm_z_mul_modify.h"

namespace korvel {

decltype(MainWindowCommands::mulModify) MulModifyCommand() {
    return [](FrmWhInvContra& main) {
        ComponentContext& context = main.Context();
        FrmZMulModify window(
            context, [&main] { main.DataRefresh(); }, &main);
        context.login.pub->ShowModal(window, &main);
    };
}

}  // namespace korvel
