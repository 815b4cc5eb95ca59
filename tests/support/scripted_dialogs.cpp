#include "support/scripted_dialogs.h"

#include <QDialog>

#include "interfaces/pub.h"

namespace zel::test {

int ScriptedDialogs::MessageBox(const std::string& text, int buttons, const std::string& title) {
    messages_.push_back({text, buttons, title});
    if (!answers_.empty()) {
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return (buttons & 0x0F) == kMsgYesNo ? kAnswerNo : kAnswerOk;
}

int ScriptedDialogs::ShowModal(QDialog& window, QWidget*) {
    ++modalCount_;
    window.show();
    int result = 0;
    if (!modals_.empty()) {
        auto script = std::move(modals_.front());
        modals_.pop_front();
        result = script(window);
    }
    window.hide();
    return result;
}

std::vector<std::string> ScriptedDialogs::MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& shown : messages_) {
        texts.push_back(shown.text);
    }
    return texts;
}

void ScriptedDialogs::Clear() {
    answers_.clear();
    modals_.clear();
    messages_.clear();
    modalCount_ = 0;
}

}  // namespace zel::test
