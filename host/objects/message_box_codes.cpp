#include "host/objects/message_box_codes.h"

#include "interfaces/pub.h"

namespace zel {

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

QMessageBox::StandardButtons ButtonsOf(int buttons) {
    switch (buttons & 0x0F) {
        case kMsgYesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case kMsgYesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        default:
            return QMessageBox::Ok;
    }
}

int AnswerOf(int clicked) {
    switch (clicked) {
        case QMessageBox::Yes:
            return kAnswerYes;
        case QMessageBox::No:
            return kAnswerNo;
        case QMessageBox::Cancel:
            return kAnswerCancel;
        default:
            return kAnswerOk;
    }
}

}  // namespace zel
