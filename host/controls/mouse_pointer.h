#pragma once

#include <Qt>
#include <optional>

class QWidget;

namespace zel {

// Mouse pointer values of the host controls: 0 default, 11 hourglass, 9 west-east sizing, ...
enum VbMousePointer : int {
    kPointerDefault = 0,
    kPointerArrow = 1,
    kPointerCross = 2,
    kPointerIBeam = 3,
    kPointerSizeNESW = 6,
    kPointerSizeNS = 7,
    kPointerSizeNWSE = 8,
    kPointerSizeWE = 9,
    kPointerUpArrow = 10,
    kPointerHourglass = 11,
    kPointerNoDrop = 12,
    kPointerArrowHourglass = 13,
    kPointerArrowQuestion = 14,
    kPointerSizeAll = 15,
};

// The Qt cursor of a pointer value; nothing for the default (the widget's own cursor) and for
// values that have no cursor.
std::optional<Qt::CursorShape> CursorShapeOf(int mousePointer);

// Sets the widget's cursor for the pointer value; false (cursor unchanged) for an unknown value.
bool ApplyMousePointer(QWidget& widget, int mousePointer);

}  // namespace zel
