#pragma once

#include "mainwindow/main_window_commands.h"

namespace korvel {

// The main window's notice of the rows an upgrade set aside, and their list, whose rows are put
// back through the record editor.
decltype(MainWindowCommands::setAside) SetAsideCommand();

}  // namespace korvel
