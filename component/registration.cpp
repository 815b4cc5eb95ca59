#include <memory>

#include "batchadd/batch_add_command.h"
#include "checkplan/due_checks_command.h"
#include "core/whinv_contra.h"
#include "editor/edit_record_command.h"
#include "history/change_history_command.h"
#include "import/import_command.h"
#include "interfaces/object.h"
#include "mainwindow/modal_main_window.h"
#include "mulmodify/mul_modify_command.h"
#include "setaside/set_aside_command.h"

extern "C" void ZelRegisterObjects(zel::IObjectRegistrar& registrar) {
    registrar.Register("Korvel.IWhInvContra", [](zel::IObjectFactory& factory) {
        korvel::MainWindowCommands commands;
        commands.editRecord = korvel::EditRecordCommand();
        commands.batchAdd = korvel::BatchAddCommand();
        commands.mulModify = korvel::MulModifyCommand();
        commands.dueChecks = korvel::DueChecksCommand();
        commands.changeHistory = korvel::ChangeHistoryCommand();
        commands.importRows = korvel::ImportCommand();
        commands.setAside = korvel::SetAsideCommand();
        return std::make_shared<korvel::WhInvContra>(factory,
                                                     korvel::ModalMainWindowRunner(commands));
    });
}
