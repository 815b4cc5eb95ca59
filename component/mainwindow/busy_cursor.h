#pragma once

namespace korvel {

// The hourglass over the whole application for one scope; the cursor before it comes back when
// the scope ends, on every path.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace korvel
