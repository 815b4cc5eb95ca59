#pragma once

namespace zel {

// How far the tree beside a window's grid may grow or shrink, in twips.
struct PaneLimits {
    static constexpr double kMinTree = 1000;
    static constexpr double kMinGrid = 1500;
    static constexpr double kSplitter = 45;
};

// The widths the tree may take; low <= high, both >= 0.
struct WidthRange {
    double low = 0;
    double high = 0;
    double Clamp(double width) const;
};

// For a tree at treeLeft in an area innerWidth wide, leaving room for the splitter and the grid.
// When the area is too narrow for both minimums the grid's wins, down to no tree at all.
WidthRange TreeWidthRange(double innerWidth, double treeLeft);

}  // namespace zel
