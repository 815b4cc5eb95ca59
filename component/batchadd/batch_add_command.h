#pragma once

#include "mainwindow/main_window_commands.h"

namespace korvel {

// The main window's BatchAdd: the batch-add window for the warehouse selected in the main
// window's tree, shown modally.
decltype(MainWindowCommands::batchAdd) BatchAddCommand();

}  // namespace korvel
