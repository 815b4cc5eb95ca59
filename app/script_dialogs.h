#pragma once

#include <string>

#include "host/objects/dialog_presenter.h"

namespace zel {

// The message boxes of a program run by a script, with no window system: the text goes to
// standard error under the program's name, and the answer is the one that changes nothing (OK to
// a notice, No or Cancel to a question). A modal window is closed unseen, as cancelled.
class ScriptDialogs final : public IDialogPresenter {
public:
    explicit ScriptDialogs(std::string program) : program_(std::move(program)) {}

    int MessageBox(const std::string& text, int buttons, const std::string& title) override;
    int ShowModal(QDialog& window, QWidget* owner) override;

private:
    std::string program_;
};

}  // namespace zel
