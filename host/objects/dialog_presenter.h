#pragma once

#include <string>

class QDialog;
class QWidget;

namespace zel {

// Where message boxes and modal windows are shown. The program shows real Qt windows; a test host
// answers from a script and never blocks.
class IDialogPresenter {
public:
    virtual ~IDialogPresenter() = default;
    // Returns the answer code of the host's MsgBox (1 OK, 6 yes, 7 no).
    virtual int MessageBox(const std::string& text, int buttons, const std::string& title) = 0;
    virtual int ShowModal(QDialog& window, QWidget* owner) = 0;
};

// Real windows: QMessageBox and QDialog::exec.
class QtDialogPresenter final : public IDialogPresenter {
public:
    int MessageBox(const std::string& text, int buttons, const std::string& title) override;
    int ShowModal(QDialog& window, QWidget* owner) override;
};

}  // namespace zel
