#pragma once

#include "mainwindow/main_window_commands.h"

namespace korvel {

// The main window's Add and Modify: the record editor, opened on the main window's grid and
// shown modally.
decltype(MainWindowCommands::editRecord) EditRecordCommand();

}  // namespace korvel
