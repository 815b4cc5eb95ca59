#pragma once

#include "mainwindow/main_window_commands.h"

namespace korvel {

// The main window's MulModify: the multi-record modify window over the main window, shown
// modally; the main grid is refreshed when it closes after a change.
decltype(MainWindowCommands::mulModify) MulModifyCommand();

}  // namespace korvel
