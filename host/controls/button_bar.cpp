#include "host/controls/button_bar.h"

#include <algorithm>

namespace zel {

ButtonBar::ButtonBar(QObject* parent) : QObject(parent) {}

ToolbarButton* ButtonBar::Add(const std::string& key, ToolbarButton::Style style,
                              const std::string& imageKey) {
    if (!key.empty() && Buttons(key) != nullptr) {
        return nullptr;
    }
    auto* button = new ToolbarButton(key, style, imageKey, this);
    buttons_.push_back(button);
    emit ButtonsChanged();
    return button;
}

void ButtonBar::Clear() {
    for (ToolbarButton* button : buttons_) {
        delete button;
    }
    buttons_.clear();
    emit ButtonsChanged();
}

ToolbarButton* ButtonBar::Button(int index) const {
    if (index < 1 || index > Count()) {
        return nullptr;
    }
    return buttons_[static_cast<std::size_t>(index - 1)];
}

ToolbarButton* ButtonBar::Buttons(const std::string& key) const {
    if (key.empty()) {
        return nullptr;
    }
    const auto found =
        std::find_if(buttons_.begin(), buttons_.end(),
                     [&](const ToolbarButton* button) { return button->Key() == key; });
    return found == buttons_.end() ? nullptr : *found;
}

}  // namespace zel
