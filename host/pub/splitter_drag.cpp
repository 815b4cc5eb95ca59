#include "host/pub/splitter_drag.h"

#include <algorithm>

#include "host/controls/twips.h"
#include "host/pub/pane_limits.h"
#include "host/pub/window_controls.h"

namespace zel {
namespace {

constexpr const char* kSplitterName = "PicSeparate";
constexpr const char* kTreeName = "Trv";

}  // namespace

void SplitterDrag::Begin(QWidget& window, double grabX) {
    window_ = FindControl(window, kSplitterName) != nullptr ? &window : nullptr;
    grabX_ = grabX;
}

bool SplitterDrag::Dragging(const QWidget& window) const {
    return window_ != nullptr && window_ == &window;
}

bool SplitterDrag::Move(QWidget& window, double x) {
    QWidget* splitter = Dragging(window) ? FindControl(window, kSplitterName) : nullptr;
    if (splitter == nullptr) {
        return false;
    }
    const QWidget* tree = FindControl(window, kTreeName);
    const Twips twips = Twips::ForScreen(window.screen());
    const double treeLeft = tree != nullptr ? twips.FromPixelsX(tree->x()) : 0;
    const double innerWidth = twips.FromPixelsX(
        splitter->parentWidget() != nullptr ? splitter->parentWidget()->width() : window.width());
    const double wanted = twips.FromPixelsX(splitter->x()) + x - grabX_ - treeLeft;
    const double width = TreeWidthRange(innerWidth, treeLeft).Clamp(wanted);
    splitter->move(twips.ToPixelsX(treeLeft + width), splitter->y());
    return true;
}

std::optional<double> SplitterDrag::End(QWidget& window) {
    if (!Dragging(window)) {
        return std::nullopt;
    }
    window_ = nullptr;
    QWidget* splitter = FindControl(window, kSplitterName);
    QWidget* tree = FindControl(window, kTreeName);
    if (splitter == nullptr || tree == nullptr) {
        return std::nullopt;
    }
    const int width = std::max(0, splitter->x() - tree->x());
    tree->resize(width, tree->height());
    return Twips::ForScreen(window.screen()).FromPixelsX(width);
}

}  // namespace zel
