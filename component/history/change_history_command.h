#pragma once

#include "mainwindow/main_window_commands.h"

namespace korvel {

// The main window's and the record editor's change history: the history window over the window
// it was asked from, shown modally, listing the scope's rows.
decltype(MainWindowCommands::changeHistory) ChangeHistoryCommand();

}  // namespace korvel
