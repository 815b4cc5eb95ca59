#include <QDialog>
#include <QMessageBox>

#include "host/objects/dialog_presenter.h"
#include "host/objects/message_box_codes.h"
#include "interfaces/pub.h"

namespace zel {

int QtDialogPresenter::MessageBox(const std::string& text, int buttons, const std::string& title) {
    QMessageBox box(IconOf(buttons), QString::fromStdString(title), QString::fromStdString(text),
                    ButtonsOf(buttons));
    return AnswerOf(box.exec());
}

int QtDialogPresenter::ShowModal(QDialog& window, QWidget* owner) {
    if (owner != nullptr && window.parentWidget() == nullptr) {
        window.setParent(owner, window.windowFlags() | Qt::Dialog);
    }
    window.setWindowModality(Qt::ApplicationModal);
    return window.exec();
}

}  // namespace zel
