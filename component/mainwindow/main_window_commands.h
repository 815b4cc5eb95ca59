#pragma once

#include <functional>
#include <string>

class QWidget;

namespace korvel {

class FrmWhInvContra;

// The rows a change history window lists, and whether it may put values back there.
struct HistoryScope {
    std::string warehouse{};  // empty: every warehouse the user may read
    std::string inventory{};  // with a warehouse: one row
    // The record editor holds its row's values and would save them over what a restore put back:
    // from there the history is only looked at.
    bool lookOnly = false;
};

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
    // The change history of the scope's rows, shown over the window given.
    std::function<void(FrmWhInvContra&, QWidget& over, const HistoryScope& scope)> changeHistory;
    // Rows read from a CSV or XLSX file the user picks, previewed, then written; it takes the
    // edit lock itself for the write.
    std::function<void(FrmWhInvContra&)> importRows;
    // The rows an upgrade set aside. opening: the window has just filled, and the user is told
    // once of rows the last upgrade set aside and offered the list; otherwise the list. Either way
    // the menu item "mSetAside" shows while any rows are left.
    std::function<void(FrmWhInvContra&, bool opening)> setAside;
};

}  // namespace korvel
