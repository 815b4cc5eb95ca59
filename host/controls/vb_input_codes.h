#pragma once

#include <Qt>

class QKeyEvent;

namespace zel {

// The component's windows read keys, buttons and modifier states in the codes of the host
// controls they were written for, not in Qt's.
enum VbShift : int { kVbShift = 1, kVbCtrl = 2, kVbAlt = 4 };
enum VbButton : int { kVbLeftButton = 1, kVbRightButton = 2, kVbMiddleButton = 4 };

// Virtual key code of a key event (F1 = 112, Delete = 46, 'A' = 65, ...); 0 when the key has none.
int VbKeyCode(const QKeyEvent& event);
int VbShiftMask(Qt::KeyboardModifiers modifiers);
int VbButtonMask(Qt::MouseButtons buttons);

}  // namespace zel
