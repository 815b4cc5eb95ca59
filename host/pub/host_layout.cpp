#include "host/pub/host_layout.h"

#include <algorithm>

#include "host/controls/twips.h"
#include "host/controls/ys_status_bar.h"
#include "host/controls/ys_toolbar.h"
#include "host/pub/pane_limits.h"
#include "host/pub/window_controls.h"

namespace zel {
namespace {

constexpr const char* kToolbarName = "TLB2";
constexpr const char* kCaptionPanelName = "Pic";
constexpr const char* kStatusBarName = "Stb";

QWidget& ClientArea(QWidget& window, QWidget* tree, QWidget* toolbar) {
    for (QWidget* control : {tree, toolbar}) {
        if (control != nullptr && control->parentWidget() != nullptr) {
            return *control->parentWidget();
        }
    }
    return window;
}

// Returns the height taken at the top, in pixels.
int PlaceToolbar(YsToolbar* bar, int width) {
    if (bar == nullptr || bar->isHidden()) {
        return 0;
    }
    const int height = bar->sizeHint().height();
    bar->setGeometry(0, 0, width, height);
    return height;
}

void PlaceCaptionPanel(QWidget* panel, int top, int width) {
    if (panel != nullptr) {
        panel->setGeometry(0, top, width, std::max(0, panel->height()));
    }
}

void PlaceStatusBar(YsStatusBar* bar, int width, int innerHeight) {
    if (bar == nullptr || bar->isHidden()) {
        return;
    }
    const int height = std::min(bar->sizeHint().height(), innerHeight);
    bar->setGeometry(0, innerHeight - height, width, height);
}

void PlaceTree(QWidget& tree, const QWidget& client, const Twips& twips,
               std::optional<double> preferredWidth) {
    const double innerWidth = twips.FromPixelsX(client.width());
    const double width = TreeWidthRange(innerWidth, 0)
                             .Clamp(preferredWidth.value_or(twips.FromPixelsX(tree.width())));
    tree.setGeometry(0, tree.y(), twips.ToPixelsX(width), std::max(0, tree.height()));
}

}  // namespace

void LayOutFrame(QWidget& window, std::string_view treeName,
                 std::optional<double> preferredTreeWidth) {
    auto* tree = FindControl(window, treeName);
    auto* toolbar = FindControlAs<YsToolbar>(window, kToolbarName);
    QWidget& client = ClientArea(window, tree, toolbar);
    const int width = std::max(0, client.width());
    const int height = std::max(0, client.height());

    const int toolbarHeight = PlaceToolbar(toolbar, width);
    PlaceCaptionPanel(FindControl(window, kCaptionPanelName), toolbarHeight, width);
    PlaceStatusBar(FindControlAs<YsStatusBar>(window, kStatusBarName), width, height);
    if (tree != nullptr) {
        PlaceTree(*tree, client, Twips::ForScreen(window.screen()), preferredTreeWidth);
    }
}

void FitToolbarHeight(YsToolbar& bar) {
    int width = bar.width();
    if (!bar.testAttribute(Qt::WA_Resized) && bar.parentWidget() != nullptr) {
        width = bar.parentWidget()->width();
    }
    bar.resize(width, bar.sizeHint().height());
    // A layout that places the bar reads the new height at its next pass.
    bar.updateGeometry();
}

}  // namespace zel
