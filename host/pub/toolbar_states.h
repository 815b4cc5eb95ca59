#pragma once

namespace zel {

class ButtonBar;
class YsToolbar;

// The visible bar shows again the enabled and visible state of every keyed button of the hidden
// bar. Its actions are kept, not rebuilt: windows call this from within an action's own click.
void ShowButtonStates(YsToolbar& toolbar, const ButtonBar& bar);

}  // namespace zel
