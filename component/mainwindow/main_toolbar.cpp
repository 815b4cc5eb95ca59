#include "mainwindow/main_toolbar.h"

#include <string_view>

namespace korvel {

void LoadMainImages(zel::ImageList& images) {
    for (const char* key :
         {"SetUp", "Print", "Preview", "SaveFile", "BatchAdd", "Add", "Delete", "Modify", "Filter",
          "Pos", "Refresh", "Help", "Exit", "NodeP", "NodeL", "MulModify"}) {
        images.AddOwn(key);
    }
}

void InitMainToolBar(zel::ButtonBar& bar, const zel::ImageList& images) {
    bar.SetImageList(&images);
    for (const std::string_view key :
         {"SetUp", "Print", "Preview", "SaveFile", "btnSep1", "BatchAdd", "Add", "Modify", "Delete",
          "btnSep2", "MulModify", "btnSep22", "Filter", "Pos", "Refresh", "btnSep3", "Help",
          "Exit"}) {
        const std::string name(key);
        if (key.starts_with("btnSep")) {
            bar.Add(name, zel::ToolbarButton::kSeparator);
        } else {
            bar.Add(name, zel::ToolbarButton::kButton, name);
        }
    }
}

}  // namespace korvel
