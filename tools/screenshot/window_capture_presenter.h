#pragma once

#include <string>

#include "host/objects/dialog_presenter.h"

namespace zel {

// Shows the first modal window, lets its events run for a while, saves a picture of it and closes
// it. Given a key, it presses that key in the first window instead and takes the window the key
// opens. Nobody sits in front of the screen, so message boxes go to stderr and are answered OK,
// and any further modal window is closed at once.
class WindowCapturePresenter final : public IDialogPresenter {
public:
    // openKey: a Qt key pressed in the first window (Qt::Key_F5 opens the editor), 0 for none.
    WindowCapturePresenter(std::string outputPath, int settleMilliseconds, int openKey = 0);

    int MessageBox(const std::string& text, int buttons, const std::string& title) override;
    int ShowModal(QDialog& window, QWidget* owner) override;

    bool Captured() const { return captured_; }

private:
    void Capture(QDialog& window);

    std::string outputPath_;
    int settleMilliseconds_;
    int openKey_;
    int depth_ = 0;
    bool captured_ = false;
};

}  // namespace zel
