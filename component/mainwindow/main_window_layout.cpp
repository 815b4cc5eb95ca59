#include "mainwindow/main_window_layout.h"

#include <algorithm>

namespace korvel {

PaneLayout LayOutPanes(const PlacedControls& placed) {
    PaneLayout panes;
    const double top = placed.captionTop + placed.captionHeight - placed.pixel;
    const double height =
        std::max(0.0, placed.innerHeight - placed.toolbarHeight - placed.statusBarHeight -
                          kTreeBottomMarginPixels * placed.pixel);
    panes.tree = {placed.treeLeft, top, placed.treeWidth, height};
    panes.splitter = {placed.treeLeft + placed.treeWidth, top, kSplitterWidth, height};
    const double gridLeft = panes.splitter.left + kSplitterWidth;
    panes.grid = {gridLeft, top, std::max(0.0, placed.innerWidth - gridLeft), height};
    return panes;
}

}  // namespace korvel
