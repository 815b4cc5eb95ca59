#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "host/objects/dialog_presenter.h"

namespace zel::test {

// Answers message boxes and modal windows from a script; never blocks.
class ScriptedDialogs final : public IDialogPresenter {
public:
    struct Shown {
        std::string text;
        int buttons;
        std::string title;
    };
    // Runs while the window is "shown"; the window is then closed with the returned code.
    using ModalScript = std::function<int(QDialog&)>;

    int MessageBox(const std::string& text, int buttons, const std::string& title) override;
    int ShowModal(QDialog& window, QWidget* owner) override;

    // Next answers for message boxes; when none is queued, OK (or No for a yes/no question).
    void QueueAnswer(int answer) { answers_.push_back(answer); }
    // Next scripts for modal windows; when none is queued the window is closed at once with 0.
    void QueueModal(ModalScript script) { modals_.push_back(std::move(script)); }

    const std::vector<Shown>& Messages() const { return messages_; }
    std::vector<std::string> MessageTexts() const;
    int ModalCount() const { return modalCount_; }
    void Clear();

private:
    std::deque<int> answers_;
    std::deque<ModalScript> modals_;
    std::vector<Shown> messages_;
    int modalCount_ = 0;
};

}  // namespace zel::test
