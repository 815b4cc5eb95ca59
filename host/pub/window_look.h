#pragma once

class QWidget;

namespace zel {

class YsTreeView;

// One font, able to show Chinese, for the window, its controls and its menus; controls that
// chose a font of their own keep its size and weight but take the family.
void UniteFont(QWidget& window);
// Indentation, branches drawn from the root down (the lines as the style draws them), the
// root opened, rows of one height.
void StyleTree(YsTreeView& tree);

}  // namespace zel
