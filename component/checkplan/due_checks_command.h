#pragma once

#include "mainwindow/main_window_commands.h"

namespace korvel {

// The main window's DueChecks: the due checks window over the main window, shown modally.
decltype(MainWindowCommands::dueChecks) DueChecksCommand();

}  // namespace korvel
