#pragma once

#include <functional>

class QDialog;

namespace zel {

// Shows a dialog modally and returns its result; the window that places a control passes the
// host's way of showing modal windows, so that a test host can answer them.
using ModalShower = std::function<int(QDialog&)>;

}  // namespace zel
