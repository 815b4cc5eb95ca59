#include "host/pub/edit_key.h"

#include <QLineEdit>
#include <QWidget>

#include "host/controls/vb_input_codes.h"

namespace zel {
namespace {

enum KeyCode : int {
    kBackspace = 8,
    kSpace = 32,
    kInsert = 45,
    kDelete = 46,
    kDigit0 = 48,
    kDigit9 = 57,
    kLetterA = 65,
    kLetterV = 86,
    kLetterX = 88,
    kLetterY = 89,
    kLetterZ = 90,
    kNumpad0 = 96,
    kNumpadDivide = 111,
    kSemicolon = 186,
    kBackquote = 192,
    kOpenBracket = 219,
    kQuote = 222,
};

bool Within(int code, int first, int last) {
    return code >= first && code <= last;
}

bool IsCharacterKey(int code) {
    return code == kSpace || Within(code, kDigit0, kDigit9) || Within(code, kLetterA, kLetterZ) ||
           Within(code, kNumpad0, kNumpadDivide) || Within(code, kSemicolon, kBackquote) ||
           Within(code, kOpenBracket, kQuote);
}

bool IsEditingShortcut(int code, int shift) {
    if (shift == kVbCtrl) {
        return code == kLetterV || code == kLetterX || code == kLetterZ || code == kLetterY;
    }
    return shift == kVbShift && code == kInsert;
}

bool ChangesText(int code, int shift) {
    if (code == kBackspace || code == kDelete || IsEditingShortcut(code, shift)) {
        return true;
    }
    return (shift & (kVbCtrl | kVbAlt)) == 0 && IsCharacterKey(code);
}

bool IsEditableBox(const QWidget* widget) {
    const auto* box = qobject_cast<const QLineEdit*>(widget);
    return box != nullptr && box->isEnabled() && !box->isReadOnly();
}

}  // namespace

bool KeyChangesFocusedBox(const QWidget& window, int keyCode, int shift) {
    return IsEditableBox(window.focusWidget()) && ChangesText(keyCode, shift);
}

}  // namespace zel
