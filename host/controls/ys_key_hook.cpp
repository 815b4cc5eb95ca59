#include "host/controls/ys_key_hook.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <algorithm>

#include "host/controls/vb_input_codes.h"

namespace zel {

YsKeyHook::YsKeyHook(QWidget& window) : QObject(&window), window_(&window) {
    // An application filter: it sees a key before the focused widget's own filters and handlers,
    // and also for widgets added to the window later.
    qApp->installEventFilter(this);
}

YsKeyHook::~YsKeyHook() {
    if (qApp != nullptr) {
        qApp->removeEventFilter(this);
    }
}

bool YsKeyHook::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !IsOurs(watched) ||
        std::find(delivering_.begin(), delivering_.end(), event) != delivering_.end()) {
        return false;
    }
    auto& key = static_cast<QKeyEvent&>(*event);
    if (Raise(key)) {
        Deliver(watched, key);
    }
    // Accepted, so that the key does not travel on to the parents, where it would be raised again.
    key.accept();
    return true;
}

bool YsKeyHook::IsOurs(QObject* watched) const {
    const auto* widget = qobject_cast<QWidget*>(watched);
    return widget != nullptr && window_ != nullptr && widget->window() == window_ &&
           window_->isEnabled();
}

bool YsKeyHook::Raise(const QKeyEvent& event) {
    return RaiseVbKey(
        event, [this](int& keyCode, int shift) { emit KeyDown(keyCode, shift); },
        [this](int& ascii) { emit KeyPress(ascii); });
}

// Hands the key on as if the hook had not been there: to the widget, then up its parents while
// they ignore it.
void YsKeyHook::Deliver(QObject* receiver, QKeyEvent& event) {
    delivering_.push_back(&event);
    QCoreApplication::sendEvent(receiver, &event);
    delivering_.erase(std::find(delivering_.begin(), delivering_.end(), &event));
}

}  // namespace zel
