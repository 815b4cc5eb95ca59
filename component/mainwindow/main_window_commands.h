#pragma once

#include <functional>

namespace korvel {

class FrmWhInvContra;

// The windows of other parts that the main window's commands open. Each entry shows its window
// modally and returns when it has closed; a command whose entry is empty is shown disabled and does
// nothing.
struct MainWindowCommands {
    // Mode 1 adds a row, mode 2 modifies the grid row given.
    std::function<void(FrmWhInvContra&, int mode, int row)> editRecord;
    std::function<void(FrmWhInvContra&)> batchAdd;
    std::function<void(FrmWhInvContra&)> mulModify;
    // The rows due for a stock check; it takes the edit lock itself for the rows it changes.
    std::function<void(FrmWhInvContra&)> dueChecks;
};

}  // namespace korvel
