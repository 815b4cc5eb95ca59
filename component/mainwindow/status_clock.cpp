#include "mainwindow/status_clock.h"

#include <QTime>

namespace korvel {

void StatusClock::OnTick(zel::YsStatusBar& bar) {
    flag_ = !flag_;
    if (bar.DisplayState() == 0 && flag_) {
        bar.SetTimeText(QTime::currentTime().toString(Qt::TextDate).toStdString());
        bar.SetDisplayState(1);
    } else {
        bar.SetDisplayState(0);
    }
}

}  // namespace korvel
