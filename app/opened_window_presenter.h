#pragma once

#include <memory>

#include "host/objects/dialog_presenter.h"

namespace zel {

// Shows everything through another presenter and notes whether a modal window was opened: the
// component opens its main window, the first modal window, only once it has started the function.
// A component that returns without one told the user why it could not start.
class OpenedWindowPresenter final : public IDialogPresenter {
public:
    explicit OpenedWindowPresenter(std::shared_ptr<IDialogPresenter> inner)
        : inner_(std::move(inner)) {}

    int MessageBox(const std::string& text, int buttons, const std::string& title) override {
        return inner_->MessageBox(text, buttons, title);
    }
    int ShowModal(QDialog& window, QWidget* owner) override {
        windowOpened_ = true;
        return inner_->ShowModal(window, owner);
    }

    bool WindowOpened() const { return windowOpened_; }

private:
    std::shared_ptr<IDialogPresenter> inner_;
    bool windowOpened_ = false;
};

}  // namespace zel
