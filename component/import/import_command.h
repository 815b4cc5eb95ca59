#pragma once

#include "mainwindow/main_window_commands.h"

namespace korvel {

// The main window's Import: the file chosen through the host's dialogs, then the import window
// over the main window, shown modally; rows of no warehouse go to the one chosen in the tree.
decltype(MainWindowCommands::importRows) ImportCommand();

}  // namespace korvel
