#include "host/pub/window_controls.h"

#include <QAction>
#include <QWidget>

#include "host/controls/button_bar.h"

namespace zel {
namespace {

template <class Child>
Child* FindNamed(const QWidget& window, std::string_view name) {
    const QString wanted = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    for (Child* child : window.findChildren<Child*>()) {
        if (child->objectName().compare(wanted, Qt::CaseInsensitive) == 0) {
            return child;
        }
    }
    return nullptr;
}

}  // namespace

QWidget* FindControl(const QWidget& window, std::string_view name) {
    return FindNamed<QWidget>(window, name);
}

QAction* FindAction(const QWidget& window, std::string_view name) {
    return FindNamed<QAction>(window, name);
}

ButtonBar* FindButtonBar(const QWidget& window, std::string_view name) {
    return FindNamed<ButtonBar>(window, name);
}

}  // namespace zel
