#include "host/controls/mouse_pointer.h"

#include <QWidget>
#include <array>
#include <utility>

namespace zel {
namespace {

constexpr std::array<std::pair<int, Qt::CursorShape>, 13> kShapes{{
    {kPointerArrow, Qt::ArrowCursor},
    {kPointerCross, Qt::CrossCursor},
    {kPointerIBeam, Qt::IBeamCursor},
    {kPointerSizeNESW, Qt::SizeBDiagCursor},
    {kPointerSizeNS, Qt::SizeVerCursor},
    {kPointerSizeNWSE, Qt::SizeFDiagCursor},
    {kPointerSizeWE, Qt::SizeHorCursor},
    {kPointerUpArrow, Qt::UpArrowCursor},
    {kPointerHourglass, Qt::WaitCursor},
    {kPointerNoDrop, Qt::ForbiddenCursor},
    {kPointerArrowHourglass, Qt::BusyCursor},
    {kPointerArrowQuestion, Qt::WhatsThisCursor},
    {kPointerSizeAll, Qt::SizeAllCursor},
}};

}  // namespace

std::optional<Qt::CursorShape> CursorShapeOf(int mousePointer) {
    for (const auto& [value, shape] : kShapes) {
        if (value == mousePointer) {
            return shape;
        }
    }
    return std::nullopt;
}

bool ApplyMousePointer(QWidget& widget, int mousePointer) {
    if (mousePointer == kPointerDefault) {
        widget.unsetCursor();
        return true;
    }
    const auto shape = CursorShapeOf(mousePointer);
    if (!shape) {
        return false;
    }
    widget.setCursor(*shape);
    return true;
}

}  // namespace zel
