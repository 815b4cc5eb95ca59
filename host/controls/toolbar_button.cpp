#include "host/controls/toolbar_button.h"

namespace zel {

ToolbarButton::ToolbarButton(std::string key, Style style, std::string imageKey, QObject* parent)
    : QObject(parent), key_(std::move(key)), style_(style), imageKey_(std::move(imageKey)) {}

void ToolbarButton::SetImage(const std::string& imageKey) {
    imageKey_ = imageKey;
    emit Changed(*this);
}

void ToolbarButton::SetCaption(const std::string& caption) {
    caption_ = caption;
    emit Changed(*this);
}

void ToolbarButton::SetToolTipText(const std::string& toolTip) {
    toolTip_ = toolTip;
    emit Changed(*this);
}

void ToolbarButton::SetEnabled(bool enabled) {
    enabled_ = enabled;
    emit Changed(*this);
}

void ToolbarButton::SetVisible(bool visible) {
    visible_ = visible;
    emit Changed(*this);
}

}  // namespace zel
