#pragma once

#include <utility>

namespace korvel {

// Runs one step whose failure must not stop the steps after it, and must never escape to the
// host. Returns whether the step ran to its end.
template <class Step>
bool RunIgnoringErrors(Step&& step) noexcept {
    try {
        std::forward<Step>(step)();
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace korvel
