#pragma once

#include <string>

#include "host/objects/dialog_presenter.h"

namespace zel {

// Shows the first modal window, lets its events run for a while, saves a picture of it and closes
// it; nobody sits in front of the screen, so message boxes go to stderr and are answered OK, and
// any further modal window is closed at once.
class WindowCapturePresenter final : public IDialogPresenter {
public:
    WindowCapturePresenter(std::string outputPath, int settleMilliseconds);

    int MessageBox(const std::string& text, int buttons, const std::string& title) override;
    int ShowModal(QDialog& window, QWidget* owner) override;

    bool Captured() const { return captured_; }

private:
    std::string outputPath_;
    int settleMilliseconds_;
    bool shown_ = false;
    bool captured_ = false;
};

}  // namespace zel
