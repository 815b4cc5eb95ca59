#include "app/quit_after_show_presenter.h"

#include <QDialog>
#include <cstdio>

#include "app/after_first_show.h"
#include "host/objects/cautious_answer.h"

namespace zel {
QuitAfterShowPresenter::QuitAfterShowPresenter(std::shared_ptr<IDialogPresenter> windows)
    : windows_(std::move(windows)) {}

int QuitAfterShowPresenter::MessageBox(const std::string& text, int buttons,
                                       const std::string& title) {
    std::fprintf(stderr, "message box [%s]: %s\n", title.c_str(), text.c_str());
    return CautiousAnswer(buttons);
}

int QuitAfterShowPresenter::ShowModal(QDialog& window, QWidget* owner) {
    const bool mainWindow = depth_ == 0;
    new AfterFirstShow(window, [this, mainWindow](QDialog& shown) {
        if (!shown.isVisible()) {
            return;
        }
        std::fprintf(stderr, "closing \"%s\" after its first show\n",
                     shown.windowTitle().toStdString().c_str());
        mainWindowShown_ = mainWindowShown_ || mainWindow;
        shown.close();
    });
    ++depth_;
    const int answer = windows_->ShowModal(window, owner);
    --depth_;
    return answer;
}

}  // namespace zel
