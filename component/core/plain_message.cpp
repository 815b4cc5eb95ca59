#include "core/plain_message.h"

#include <QMessageBox>

namespace korvel {

void ShowPlainInformation(const std::string& text, const std::string& title) {
    QMessageBox::information(nullptr, QString::fromStdString(title), QString::fromStdString(text));
}

}  // namespace korvel
