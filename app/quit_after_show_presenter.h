#pragma once

#include <memory>

#include "host/objects/dialog_presenter.h"

namespace zel {

// For a start-up check that nobody watches: every modal window is shown through another
// presenter and closed again once it has shown and run the work its first show starts (the main
// window builds its tree and fills its grid); message boxes go to stderr and get the cautious
// answer, so nothing waits for a user.
class QuitAfterShowPresenter final : public IDialogPresenter {
public:
    explicit QuitAfterShowPresenter(std::shared_ptr<IDialogPresenter> windows);

    int MessageBox(const std::string& text, int buttons, const std::string& title) override;
    int ShowModal(QDialog& window, QWidget* owner) override;

    // The first modal window (the component's main window) was shown and then closed from here.
    bool MainWindowShown() const { return mainWindowShown_; }

private:
    std::shared_ptr<IDialogPresenter> windows_;
    int depth_ = 0;
    bool mainWindowShown_ = false;
};

}  // namespace zel
