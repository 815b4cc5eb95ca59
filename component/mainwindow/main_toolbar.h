#pragma once

#include "host/controls/button_bar.h"
#include "host/controls/image_list.h"

namespace korvel {

// The pictures of the main window's buttons and tree nodes, keyed as the commands.
void LoadMainImages(zel::ImageList& images);
// The main window's 18 buttons and separators in bar order.
void InitMainToolBar(zel::ButtonBar& bar, const zel::ImageList& images);

}  // namespace korvel
