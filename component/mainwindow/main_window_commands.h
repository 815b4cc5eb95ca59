#pragma once

#include <functional>
#include <string>

namespace korvel {

class FrmWhInvContra;

// The windows the main window's commands open. Each entry shows its window modally and returns
// when it has closed; a command whose entry is empty is shown disabled and does nothing.
struct MainWindowCommands {
    // Mode 1 adds a row, mode 2 modifies the grid row given.
    std::function<void(FrmWhInvContra&, int mode, int row)> editRecord;
    std::function<void(FrmWhInvContra&)> batchAdd;
    std::function<void(FrmWhInvContra&)> mulModify;
    std::function<void(FrmWhInvContra&)> deleteRow;
    std::function<void(FrmWhInvContra&)> filter;
    std::function<void(FrmWhInvContra&)> locate;
    std::function<void(FrmWhInvContra&)> setFind;
    // Key "SetUp", "Print", "Preview" or "SaveFile".
    std::function<void(FrmWhInvContra&, const std::string& key)> printOrExport;
};

}  // namespace korvel
