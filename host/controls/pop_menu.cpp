#include "host/controls/pop_menu.h"

namespace zel {

PopMenu::PopMenu(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PopMenuMgr"));
    hide();
}

void PopMenu::Show(const std::vector<Item>&, const QPoint&) {}

}  // namespace zel
