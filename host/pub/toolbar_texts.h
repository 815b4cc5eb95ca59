#pragma once

#include <map>
#include <string>

#include "host/controls/ys_toolbar.h"

namespace zel {

// Caption and tooltip of every button of the bar whose key has a resource text under
// "Zel.AA.ARCHIVE.TOOLBAR." + key; other buttons (separators among them) get no entry.
std::map<std::string, YsToolbar::ButtonTexts> ToolbarTexts(const ButtonBar& bar);

}  // namespace zel
