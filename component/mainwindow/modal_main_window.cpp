#include "mainwindow/modal_main_window.h"

#include "mainwindow/frm_whinv_contra.h"

namespace korvel {

MainWindowRunner ModalMainWindowRunner(MainWindowCommands commands) {
    return [commands = std::move(commands)](ComponentContext& context) {
        FrmWhInvContra window(context, commands);
        context.login.pub->ShowModal(window, nullptr);
    };
}

}  // namespace korvel
