#pragma once

#include <functional>

#include <Qt>

class QKeyEvent;

namespace zel {

// The component's windows read keys, buttons and modifier states in the codes of the host
// controls they were written for, not in Qt's.
enum VbShift : int { kVbShift = 1, kVbCtrl = 2, kVbAlt = 4 };
enum VbButton : int { kVbLeftButton = 1, kVbRightButton = 2, kVbMiddleButton = 4 };
// The key codes the windows' key tables name; F1 to F9 run on without a gap.
enum VbKey : int {
    kVbKeyEscape = 27,
    kVbKeyPageUp = 33,
    kVbKeyPageDown = 34,
    kVbKeyDelete = 46,
    kVbKeyH = 72,
    kVbKeyP = 80,
    kVbKeyF1 = 112,
    kVbKeyF2 = 113,
    kVbKeyF3 = 114,
    kVbKeyF4 = 115,
    kVbKeyF5 = 116,
    kVbKeyF6 = 117,
    kVbKeyF7 = 118,
    kVbKeyF8 = 119,
    kVbKeyF9 = 120,
};
// The character a KeyPress raises for Enter.
inline constexpr int kVbCharEnter = 13;

// Virtual key code of a key event (F1 = 112, Delete = 46, 'A' = 65, ...); 0 when the key has none.
int VbKeyCode(const QKeyEvent& event);
int VbShiftMask(Qt::KeyboardModifiers modifiers);
int VbButtonMask(Qt::MouseButtons buttons);
// Raises a key press in the host's codes: keyDown for a key with a code, then keyPress for a key
// with a character. False when a handler swallowed the key by setting its code or character to 0.
bool RaiseVbKey(const QKeyEvent& event, const std::function<void(int& keyCode, int shift)>& keyDown,
                const std::function<void(int& ascii)>& keyPress);

}  // namespace zel
