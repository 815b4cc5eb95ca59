#pragma once

#include "core/window_frame.h"
#include "host/controls/image_list.h"

namespace korvel {

// The pictures of the main window's buttons and tree nodes, keyed as the commands.
void LoadMainImages(zel::ImageList& images);
// The main window's 18 buttons and separators in bar order.
void InitMainToolBar(WindowFrame& frame);

}  // namespace korvel
