#pragma once

#include <QWidget>
#include <string_view>

class QAction;

namespace zel {

// The windows' controls and menu actions, found by their object names without regard to case
// (the windows pass names such as "trv" for their control "Trv"). nullptr when there is none.
QWidget* FindControl(const QWidget& window, std::string_view name);
QAction* FindAction(const QWidget& window, std::string_view name);

template <class Control>
Control* FindControlAs(const QWidget& window, std::string_view name) {
    return qobject_cast<Control*>(FindControl(window, name));
}

}  // namespace zel
