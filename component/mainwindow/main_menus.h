#pragma once

#include <QMenuBar>
#include <functional>
#include <string>

namespace korvel {

// The command key of a menu action is kept in this property.
inline constexpr const char* kCommandKeyProperty = "commandKey";

// The main window's menus; every item sends its command key, except the two sorts of the hidden
// menu "mOrder", "mAsc" and "mDesc", which sort the grid (order 1 ascending, 2 descending).
// Actions are named as the menu items ("mStb", "mPrintNo", ...) so that the host can show the
// options' states on them.
void BuildMainMenus(QMenuBar& bar, const std::function<void(const std::string&)>& execCommand,
                    const std::function<void(int order)>& sortGrid);

}  // namespace korvel
