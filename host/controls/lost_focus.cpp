#include "host/controls/lost_focus.h"

#include <QApplication>
#include <QFocusEvent>

namespace zel {

bool IsLostFocus(const QFocusEvent& event) {
    const Qt::FocusReason reason = event.reason();
    // Opening a combo box's list moves the focus into the popup a second time, for another reason.
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
           QApplication::activePopupWidget() == nullptr;
}

}  // namespace zel
