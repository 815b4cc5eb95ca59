#include "host/controls/pop_menu.h"

#include <QAction>
#include <QMenu>

namespace zel {

PopMenu::PopMenu(QWidget* parent) : QWidget(parent), menu_(new QMenu(this)) {
    setObjectName(QStringLiteral("PopMenuMgr"));
    hide();
    connect(menu_, &QMenu::triggered, this, [this](QAction* action) { Choose(action); });
}

void PopMenu::Show(const std::vector<Item>& items, const QPoint& globalPosition) {
    menu_->clear();
    for (const Item& item : items) {
        QAction* action = menu_->addAction(QString::fromStdString(item.caption));
        action->setData(QString::fromStdString(item.key));
    }
    if (!items.empty()) {
        menu_->popup(globalPosition);
    }
}

void PopMenu::Choose(const QAction* action) {
    emit ItemClick(action->data().toString().toStdString());
}

}  // namespace zel
