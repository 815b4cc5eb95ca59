#include "app/script_dialogs.h"

#include <QDialog>
#include <cstdio>

#include "interfaces/pub.h"

namespace zel {

int ScriptDialogs::MessageBox(const std::string& text, int buttons, const std::string&) {
    std::fprintf(stderr, "%s: %s\n", program_.c_str(), text.c_str());
    // The low three bits name the buttons; the rest, the icon.
    switch (buttons & 7) {
        case kMsgOk:
            return kAnswerOk;
        case kMsgYesNo:
            return kAnswerNo;
        default:
            return kAnswerCancel;
    }
}

int ScriptDialogs::ShowModal(QDialog&, QWidget*) {
    return QDialog::Rejected;
}

}  // namespace zel
