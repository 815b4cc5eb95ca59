#include "host/controls/ys_command_button.h"

namespace zel {

YsCommandButton::YsCommandButton(QWidget* parent) : QToolButton(parent) {
    setFocusPolicy(Qt::ClickFocus);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    connect(this, &QToolButton::clicked, this, &YsCommandButton::Click);
}

}  // namespace zel
