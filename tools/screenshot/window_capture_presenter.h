#pragma once

#include <string>

#include "host/objects/dialog_presenter.h"

namespace zel {

// Shows the first modal window, lets its events run for a while, saves a picture of it and closes
// it. Given a menu item's name, it chooses that item in the first window instead and takes the
// window the item opens. Nobody sits in front of the screen, so message boxes go to stderr and are
// answered OK, and any further modal window is closed at once.
class WindowCapturePresenter final : public IDialogPresenter {
public:
    // openAction: the object name of a menu action of the first window ("mAdd" opens the
    // editor), empty for none. answerFile: the file a file dialog is answered with, and a choice
    // asked with it answered with what it offers first; empty: they are windows like any other.
    WindowCapturePresenter(std::string outputPath, int settleMilliseconds,
                           std::string openAction = {}, std::string answerFile = {});

    int MessageBox(const std::string& text, int buttons, const std::string& title) override;
    int ShowModal(QDialog& window, QWidget* owner) override;

    bool Captured() const { return captured_; }

private:
    void Capture(QDialog& window);

    std::string outputPath_;
    int settleMilliseconds_;
    std::string openAction_;
    std::string answerFile_;
    int depth_ = 0;
    bool captured_ = false;
};

}  // namespace zel
