#include "host/pub/toolbar_states.h"

#include <QAction>

#include "host/controls/button_bar.h"
#include "host/controls/ys_toolbar.h"

namespace zel {

void ShowButtonStates(YsToolbar& toolbar, const ButtonBar& bar) {
    for (int i = 1; i <= bar.Count(); ++i) {
        const ToolbarButton* button = bar.Button(i);
        if (QAction* action = toolbar.Action(button->Key())) {
            action->setVisible(button->Visible());
            action->setEnabled(button->Enabled());
        }
    }
}

}  // namespace zel
