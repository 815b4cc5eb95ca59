#include <QWidget>

#include "host/controls/flex_grid.h"
#include "host/controls/pop_menu.h"
#include "host/controls/vb_input_codes.h"
#include "host/pub/grid_mouse_position.h"
#include "host/pub/grid_row_sorter.h"
#include "host/pub/locate_dialog.h"
#include "host/pub/pub_service.h"
#include "host/pub/sort_menu_key.h"

namespace zel {
namespace {

constexpr const char* kPopMenuName = "PopMenuMgr";
// GridSort's orders.
constexpr int kAscending = 1;
constexpr int kDescending = 2;
// The form the locate dialog's help is bound under.
constexpr const char* kLocateHelpKey = "Locate";

}  // namespace

void PubService::FindPos(QWidget& window, FlexGrid& grid) {
    LocateDialog dialog(grid, *this, &window);
    help_.BindWithF1(dialog, kLocateHelpKey);
    ShowModal(dialog, &window);
}

void PubService::FindPos(QWidget& window, YsListView& list) {
    LocateDialog dialog(list, *this, &window);
    help_.BindWithF1(dialog, kLocateHelpKey);
    ShowModal(dialog, &window);
}

void PubService::GridSort(QWidget&, FlexGrid& grid, int order) {
    if (order != kAscending && order != kDescending) {
        return;
    }
    GridRowSorter(grid).Sort(grid.Col(),
                             order == kAscending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void PubService::GridSortNew(QWidget&, FlexGrid& grid, const std::string& itemKey) {
    if (const auto key = SortMenuKey::Parse(itemKey)) {
        GridRowSorter(grid).Sort(key->col, key->order);
    }
}

void PubService::ShowPopupMenu(QWidget& window, FlexGrid& grid, short button, short, float x,
                               float y) {
    auto* menu = window.findChild<PopMenu*>(kPopMenuName);
    if (button != kVbRightButton || !menu) {
        return;
    }
    const GridMousePosition position(grid, x, y);
    const int col = position.Column();
    if (col < 0) {
        return;
    }
    menu->Show(
        {{SortMenuKey{col, Qt::AscendingOrder}.Text(), GetResString("Zel.HOST.SORT.ascending")},
         {SortMenuKey{col, Qt::DescendingOrder}.Text(), GetResString("Zel.HOST.SORT.descending")}},
        position.Global());
}

}  // namespace zel
