#include "mainwindow/main_toolbar.h"

namespace korvel {

void LoadMainImages(zel::ImageList& images) {
    for (const char* key :
         {"SetUp", "Print", "Preview", "SaveFile", "BatchAdd", "Add", "Delete", "Modify", "Filter",
          "Pos", "Refresh", "Help", "Exit", "NodeP", "NodeL", "MulModify", "History", "Import"}) {
        images.AddOwn(key);
    }
}

void InitMainToolBar(WindowFrame& frame) {
    frame.AddButtons({"SetUp",  "Print",   "Preview", "SaveFile",  "btnSep1", "BatchAdd", "Add",
                      "Modify", "Delete",  "btnSep2", "MulModify", "Import",  "btnSep22", "Filter",
                      "Pos",    "Refresh", "History", "btnSep3",   "Help",    "Exit"});
}

}  // namespace korvel
