#pragma once

#include <QWidget>
#include <string_view>

class QAction;

namespace zel {

class ButtonBar;

// The windows' controls, menu actions and button bars, found by their object names without regard
// to case (the windows pass names such as "trv" for their control "Trv"). nullptr when there is
// none.
QWidget* FindControl(const QWidget& window, std::string_view name);
QAction* FindAction(const QWidget& window, std::string_view name);
// The hidden button bars ("Tlb") are QObject children of the window, not widgets.
ButtonBar* FindButtonBar(const QWidget& window, std::string_view name);

template <class Control>
Control* FindControlAs(const QWidget& window, std::string_view name) {
    return qobject_cast<Control*>(FindControl(window, name));
}

}  // namespace zel
