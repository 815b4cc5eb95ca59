#pragma once

#include <QMessageBox>

namespace zel {

// The host's MsgBox button codes (16 stop, 32 question, 4 yes/no, ...) as Qt's message box
// sees them, and the button clicked as the host's answer code.
QMessageBox::Icon IconOf(int buttons);
QMessageBox::StandardButtons ButtonsOf(int buttons);
int AnswerOf(int clicked);

}  // namespace zel
