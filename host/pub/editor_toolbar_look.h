#pragma once

namespace zel {

class YsToolbar;

// The record editor's bar: pictures at the size of the other windows' bars, captions under them
// when textButtons, and the height its buttons then need. The bar keeps its place.
void StyleEditorToolbar(YsToolbar& toolbar, bool textButtons);

}  // namespace zel
