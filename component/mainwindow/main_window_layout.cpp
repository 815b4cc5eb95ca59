#include "mainwindow/main_window_layout.h"

#include <algorithm>

namespace korvel {

// The layout's one pixel is the screen's horizontal one, heights included, so that its margins
// keep one measure whichever way a screen's axes differ.
PlacedControls PlacedInTwips(const PlacedPixels& pixels, double toolbarHeight,
                             double statusBarHeight, const zel::Twips& twips) {
    PlacedControls placed;
    placed.innerWidth = twips.FromPixelsX(pixels.innerWidth);
    placed.innerHeight = twips.FromPixelsY(pixels.innerHeight);
    placed.toolbarHeight = toolbarHeight;
    placed.statusBarHeight = statusBarHeight;
    placed.captionTop = twips.FromPixelsY(pixels.captionTop);
    placed.captionHeight = twips.FromPixelsY(pixels.captionHeight);
    placed.treeLeft = twips.FromPixelsX(pixels.treeLeft);
    placed.treeWidth = twips.FromPixelsX(pixels.treeWidth);
    placed.pixel = twips.PerPixelX();
    return placed;
}

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
