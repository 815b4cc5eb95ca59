#pragma once

#include "core/main_window_runner.h"
#include "mainwindow/main_window_commands.h"

namespace korvel {

// Shows FrmWhInvContra modally through the host's public service, with the windows its commands
// open.
MainWindowRunner ModalMainWindowRunner(MainWindowCommands commands = {});

}  // namespace korvel
