#pragma once

#include <optional>
#include <string_view>

class QWidget;

namespace zel {

class YsToolbar;

// Lays out the frame of a window inside its client area (the tree's parent): the bar "TLB2" at
// the top at the height its buttons need, the panel "Pic" under it at its own height, the
// status bar "Stb" at the bottom while shown, all of full width; the tree keeps its place and
// height and takes preferredTreeWidth (twips; nullopt: its present width) within the room the
// grid leaves. Nothing gets a negative size, however small the window.
void LayOutFrame(QWidget& window, std::string_view treeName,
                 std::optional<double> preferredTreeWidth);

// Gives the bar the height its buttons need, so that none is cut off, without moving it; a bar
// not yet placed takes the width of its parent, a bar in a layout is placed by the layout.
void FitToolbarHeight(YsToolbar& bar);

}  // namespace zel
