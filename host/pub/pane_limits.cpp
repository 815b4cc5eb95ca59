#include "host/pub/pane_limits.h"

#include <algorithm>

namespace zel {

double WidthRange::Clamp(double width) const {
    return std::clamp(width, low, high);
}

WidthRange TreeWidthRange(double innerWidth, double treeLeft) {
    const double high =
        std::max(0.0, innerWidth - treeLeft - PaneLimits::kSplitter - PaneLimits::kMinGrid);
    return {std::min(PaneLimits::kMinTree, high), high};
}

}  // namespace zel
