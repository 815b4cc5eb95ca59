#include "host/controls/vb_input_codes.h"

#include <QKeyEvent>
#include <array>
#include <utility>

namespace zel {
namespace {

constexpr int kVbNumPad0 = 96;

constexpr std::array<std::pair<int, int>, 29> kNamedKeys{{
    {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},       {Qt::Key_Backtab, 9},
    {Qt::Key_Clear, 12},    {Qt::Key_Return, 13},   {Qt::Key_Enter, 13},
    {Qt::Key_Shift, 16},    {Qt::Key_Control, 17},  {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},    {Qt::Key_CapsLock, 20}, {Qt::Key_Escape, 27},
    {Qt::Key_Space, 32},    {Qt::Key_PageUp, 33},   {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},      {Qt::Key_Home, 36},     {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},       {Qt::Key_Right, 39},    {Qt::Key_Down, 40},
    {Qt::Key_Print, 44},    {Qt::Key_Insert, 45},   {Qt::Key_Delete, 46},
    {Qt::Key_Help, 47},     {Qt::Key_NumLock, 144}, {Qt::Key_ScrollLock, 145},
    {Qt::Key_Menu, 93},     {Qt::Key_Meta, 91},
}};

int NamedKeyCode(int key) {
    for (const auto& [qtKey, vbKey] : kNamedKeys) {
        if (qtKey == key) {
            return vbKey;
        }
    }
    return 0;
}

}  // namespace

int VbKeyCode(const QKeyEvent& event) {
    const int key = event.key();
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return kVbKeyF1 + (key - Qt::Key_F1);
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return key;  // Qt's letter keys are the upper-case ASCII codes, as the virtual keys are.
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        return (event.modifiers() & Qt::KeypadModifier) ? kVbNumPad0 + (key - Qt::Key_0) : key;
    }
    return NamedKeyCode(key);
}

int VbShiftMask(Qt::KeyboardModifiers modifiers) {
    int mask = 0;
    if (modifiers & Qt::ShiftModifier) {
        mask |= kVbShift;
    }
    if (modifiers & Qt::ControlModifier) {
        mask |= kVbCtrl;
    }
    if (modifiers & Qt::AltModifier) {
        mask |= kVbAlt;
    }
    return mask;
}

int VbButtonMask(Qt::MouseButtons buttons) {
    int mask = 0;
    if (buttons & Qt::LeftButton) {
        mask |= kVbLeftButton;
    }
    if (buttons & Qt::RightButton) {
        mask |= kVbRightButton;
    }
    if (buttons & Qt::MiddleButton) {
        mask |= kVbMiddleButton;
    }
    return mask;
}

bool RaiseVbKey(const QKeyEvent& event, const std::function<void(int& keyCode, int shift)>& keyDown,
                const std::function<void(int& ascii)>& keyPress) {
    int keyCode = VbKeyCode(event);
    if (keyCode != 0) {
        keyDown(keyCode, VbShiftMask(event.modifiers()));
        if (keyCode == 0) {
            return false;
        }
    }
    const QString text = event.text();
    if (text.isEmpty()) {
        return true;
    }
    int ascii = text.front().unicode();
    keyPress(ascii);
    return ascii != 0;
}

}  // namespace zel
