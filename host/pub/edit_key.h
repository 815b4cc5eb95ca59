#pragma once

class QWidget;

namespace zel {

// Whether a key pressed in the window (host key code and shift mask) changes the text of the
// box that has the window's focus: that box must be an enabled, editable line edit, and the key
// a character (no Ctrl or Alt), Backspace, Delete, or a paste, cut, undo or redo shortcut
// (Ctrl+V, Ctrl+X, Ctrl+Z, Ctrl+Y, Shift+Insert). Function keys, arrows, Tab, Enter, Esc and
// other shortcuts change nothing.
bool KeyChangesFocusedBox(const QWidget& window, int keyCode, int shift);

}  // namespace zel
