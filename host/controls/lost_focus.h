#pragma once

class QFocusEvent;

namespace zel {

// Whether a focus-out event is the control's lost focus as the host's controls raise it: the
// focus went to another control, or nowhere. A window losing its activation (another window or a
// message box came up) or a popup opening (a context menu, a combo box list) keeps the focus in the
// control for its window. A check that shows a message box on lost focus would otherwise be raised
// again by its own message box.
bool IsLostFocus(const QFocusEvent& event);

}  // namespace zel
