#include "host/pub/editor_toolbar_look.h"

#include <QStyle>

#include "host/controls/ys_toolbar.h"
#include "host/pub/host_layout.h"

namespace zel {

void StyleEditorToolbar(YsToolbar& toolbar, bool textButtons) {
    const int icon = toolbar.style()->pixelMetric(QStyle::PM_ToolBarIconSize, nullptr, &toolbar);
    toolbar.setIconSize(QSize(icon, icon));
    toolbar.SetTextButtons(textButtons);
    FitToolbarHeight(toolbar);
}

}  // namespace zel
