#pragma once

#include <QMenuBar>
#include <functional>
#include <string>

namespace korvel {

// The command key of a menu action is kept in this property.
inline constexpr const char* kCommandKeyProperty = "commandKey";

// The main window's menus; every item sends its command key. Actions are named as the menu
// items ("mStb", "mPrintNo", ...) so that the host can show the options' states on them.
void BuildMainMenus(QMenuBar& bar, const std::function<void(const std::string&)>& execCommand);

}  // namespace korvel
