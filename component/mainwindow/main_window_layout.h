#pragma once

#include "host/controls/twips.h"

namespace korvel {

// A rectangle in twips.
struct TwipsRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// What the host has placed, in twips: the window's inner area, the bars, the caption panel and
// the tree's left edge and width.
struct PlacedControls {
    double innerWidth = 0;
    double innerHeight = 0;
    double toolbarHeight = 0;
    double statusBarHeight = 0;
    double captionTop = 0;
    double captionHeight = 0;
    double treeLeft = 0;
    double treeWidth = 0;
    // Twips per screen pixel, the screen's horizontal value.
    double pixel = 15;
};

// Where the window's own widgets stand, in screen pixels.
struct PlacedPixels {
    int innerWidth = 0;
    int innerHeight = 0;
    int captionTop = 0;
    int captionHeight = 0;
    int treeLeft = 0;
    int treeWidth = 0;
};

struct PaneLayout {
    TwipsRect tree;
    TwipsRect splitter;
    TwipsRect grid;
};

inline constexpr double kSplitterWidth = 45;
inline constexpr double kTreeBottomMarginPixels = 40;

// The bars report their heights in twips already.
PlacedControls PlacedInTwips(const PlacedPixels& pixels, double toolbarHeight,
                             double statusBarHeight, const zel::Twips& twips);

// The tree, the splitter and the grid below the caption panel, side by side with one height.
// Heights and widths that the window's size would make negative are zero.
PaneLayout LayOutPanes(const PlacedControls& placed);

}  // namespace korvel
