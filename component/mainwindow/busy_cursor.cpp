#include "mainwindow/busy_cursor.h"

#include <QCursor>
#include <QGuiApplication>

#include "host/controls/mouse_pointer.h"

namespace korvel {

BusyCursor::BusyCursor() {
    QGuiApplication::setOverrideCursor(
        QCursor(zel::CursorShapeOf(zel::kPointerHourglass).value_or(Qt::WaitCursor)));
}

BusyCursor::~BusyCursor() {
    QGuiApplication::restoreOverrideCursor();
}

}  // namespace korvel
