#pragma once

#include "host/controls/mouse_pointer.h"

namespace korvel {

// The hourglass over one control (a grid, a list) for one scope; the default pointer comes back
// on every path out.
template <class Control>
class Hourglass {
public:
    explicit Hourglass(Control& control) : control_(control) {
        control_.SetMousePointer(zel::kPointerHourglass);
    }
    ~Hourglass() { control_.SetMousePointer(zel::kPointerDefault); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    Control& control_;
};

}  // namespace korvel
