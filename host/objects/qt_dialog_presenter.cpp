#include <QDialog>
#include <QMessageBox>

#include "host/objects/dialog_presenter.h"
#include "interfaces/pub.h"

namespace zel {
namespace {

QMessageBox::Icon IconOf(int buttons) {
    switch (buttons & 0x70) {
        case kMsgStop:
            return QMessageBox::Critical;
        case kMsgQuestion:
            return QMessageBox::Question;
        case kMsgExclamation:
            return QMessageBox::Warning;
        case kMsgInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

}  // namespace

int QtDialogPresenter::MessageBox(const std::string& text, int buttons, const std::string& title) {
    const bool yesNo = (buttons & 0x0F) == kMsgYesNo;
    QMessageBox box(IconOf(buttons), QString::fromStdString(title), QString::fromStdString(text),
                    yesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok);
    const int answer = box.exec();
    if (!yesNo) {
        return kAnswerOk;
    }
    return answer == QMessageBox::Yes ? kAnswerYes : kAnswerNo;
}

int QtDialogPresenter::ShowModal(QDialog& window, QWidget* owner) {
    if (owner != nullptr && window.parentWidget() == nullptr) {
        window.setParent(owner, window.windowFlags() | Qt::Dialog);
    }
    window.setWindowModality(Qt::ApplicationModal);
    return window.exec();
}

}  // namespace zel
