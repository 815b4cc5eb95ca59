#include "host/controls/splitter_bar.h"

#include <QMouseEvent>

#include "host/controls/mouse_pointer.h"
#include "host/controls/twips.h"
#include "host/controls/vb_input_codes.h"

namespace zel {
namespace {

struct MouseArguments {
    short button;
    short shift;
    float x;
    float y;
};

MouseArguments ArgumentsOf(const QWidget& bar, const QMouseEvent& event, Qt::MouseButtons buttons) {
    const Twips twips = Twips::ForScreen(bar.screen());
    const QPointF at = event.position();
    return {static_cast<short>(VbButtonMask(buttons)),
            static_cast<short>(VbShiftMask(event.modifiers())),
            static_cast<float>(twips.FromPixelsX(at.x())),
            static_cast<float>(twips.FromPixelsY(at.y()))};
}

}  // namespace

SplitterBar::SplitterBar(QWidget* parent) : QWidget(parent), mousePointer_(kPointerSizeWE) {
    setMouseTracking(true);
    ApplyMousePointer(*this, mousePointer_);
}

bool SplitterBar::SetMousePointer(int mousePointer) {
    if (!ApplyMousePointer(*this, mousePointer)) {
        return false;
    }
    mousePointer_ = mousePointer;
    return true;
}

void SplitterBar::mousePressEvent(QMouseEvent* event) {
    const auto a = ArgumentsOf(*this, *event, event->button());
    emit MouseDown(a.button, a.shift, a.x, a.y);
}

void SplitterBar::mouseMoveEvent(QMouseEvent* event) {
    const auto a = ArgumentsOf(*this, *event, event->buttons());
    emit MouseMove(a.button, a.shift, a.x, a.y);
}

void SplitterBar::mouseReleaseEvent(QMouseEvent* event) {
    const auto a = ArgumentsOf(*this, *event, event->button());
    emit MouseUp(a.button, a.shift, a.x, a.y);
}

}  // namespace zel
