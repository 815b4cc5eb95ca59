#include "host/controls/ys_toolbar.h"

#include <QAction>

#include "host/controls/image_list.h"
#include "host/controls/twips.h"

namespace zel {

YsToolbar::YsToolbar(QWidget* parent) : QToolBar(parent) {
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void YsToolbar::Build(ButtonBar& bar, const std::map<std::string, ButtonTexts>& texts) {
    if (bar_ != nullptr) {
        disconnect(bar_, nullptr, this, nullptr);
    }
    bar_ = &bar;
    for (int i = 1; i <= bar.Count(); ++i) {
        ToolbarButton* button = bar.Button(i);
        const auto found = texts.find(button->Key());
        if (found != texts.end()) {
            button->SetCaption(found->second.caption);
            button->SetToolTipText(found->second.toolTip);
        }
    }
    connect(&bar, &ButtonBar::ButtonsChanged, this, &YsToolbar::Rebuild);
    Rebuild();
}

bool YsToolbar::TextButtons() const {
    return toolButtonStyle() == Qt::ToolButtonTextUnderIcon;
}

void YsToolbar::SetTextButtons(bool textButtons) {
    setToolButtonStyle(textButtons ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
}

double YsToolbar::Height() const {
    if (isHidden()) {
        return 0;
    }
    const int pixels = isVisible() ? height() : sizeHint().height();
    return Twips::ForScreen(screen()).FromPixelsY(pixels);
}

QAction* YsToolbar::Action(const std::string& key) const {
    const auto found = actionsByKey_.find(key);
    return found == actionsByKey_.end() ? nullptr : found->second;
}

void YsToolbar::Rebuild() {
    for (QAction* action : actions()) {
        removeAction(action);
        delete action;
    }
    actionsByKey_.clear();
    if (bar_ == nullptr) {
        return;
    }
    for (int i = 1; i <= bar_->Count(); ++i) {
        ToolbarButton* button = bar_->Button(i);
        auto* action = new QAction(this);
        action->setSeparator(button->ButtonStyle() == ToolbarButton::kSeparator);
        Refresh(*button, *action);
        // The action as context: its connections end when a rebuild deletes it.
        connect(button, &ToolbarButton::Changed, action,
                [this, action](const ToolbarButton& changed) { Refresh(changed, *action); });
        connect(action, &QAction::triggered, action, [this, clicked = QPointer(button)] {
            if (clicked != nullptr) {
                emit ButtonClick(clicked->Key(), clicked->Caption());
            }
        });
        addAction(action);
        if (!button->Key().empty()) {
            actionsByKey_.emplace(button->Key(), action);
        }
    }
}

void YsToolbar::Refresh(const ToolbarButton& button, QAction& action) const {
    action.setVisible(button.Visible());
    if (action.isSeparator()) {
        return;
    }
    action.setEnabled(button.Enabled());
    action.setText(QString::fromStdString(button.Caption()));
    action.setToolTip(QString::fromStdString(button.ToolTipText()));
    const ImageList* images = bar_ == nullptr ? nullptr : bar_->Images();
    action.setIcon(images == nullptr ? QIcon() : images->Icon(button.Image()));
}

}  // namespace zel
