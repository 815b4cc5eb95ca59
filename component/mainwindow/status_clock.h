#pragma once

#include "host/controls/ys_status_bar.h"

namespace korvel {

// Answers the status bar's periodic event: every second event refreshes the time text, and the
// display state alternates so that the clock's separators blink.
class StatusClock {
public:
    void OnTick(zel::YsStatusBar& bar);

private:
    bool flag_ = false;
};

}  // namespace korvel
