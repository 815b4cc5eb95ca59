#include "app/after_first_show.h"

#include <QDialog>
#include <QEvent>
#include <QTimer>

namespace zel {

AfterFirstShow::AfterFirstShow(QDialog& window, std::function<void(QDialog&)> then)
    : QObject(&window), window_(window), then_(std::move(then)) {
    window.installEventFilter(this);
}

bool AfterFirstShow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::ShowToParent) {
        window_.removeEventFilter(this);
        QTimer::singleShot(0, this,
                           [this] { QTimer::singleShot(0, this, [this] { then_(window_); }); });
    }
    return false;
}

}  // namespace zel
