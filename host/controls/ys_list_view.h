#pragma once

#include <QWidget>
#include <string>
#include <utility>
#include <vector>

#include "host/controls/list_items_model.h"

class QMenu;
class QTreeView;

namespace zel {

// A multi-column list of keyed items with a check box on each, drawn through model/view so that
// a hundred thousand items cost no widget each. Item indexes count from 1.
//
// Many items are ticked at once: Ctrl+A and Shift/Ctrl+click select rows, Space ticks the
// selected rows (or unticks them when all are ticked), and the right-click menu ticks or unticks
// the selected rows or every row. A tick of many rows tells the view and the window once.
class YsListView final : public QWidget {
    Q_OBJECT

public:
    explicit YsListView(QWidget* parent = nullptr);

    // Columns are left-aligned.
    void AddColumnHeader(const std::string& key, const std::string& text, int widthTwips);
    int ColumnHeaderCount() const { return model_.HeaderCount(); }
    std::string ColumnHeaderKey(int index) const;
    std::string ColumnHeaderText(int index) const;

    // Appends the items at once, the quick way to fill the list; leaves rows empty, ready for
    // the next batch.
    void AddItems(ListRows&& rows);
    void AddItem(const std::string& key, const std::string& text,
                 const std::vector<std::string>& subItems = {});
    void Clear();
    int Count() const { return model_.Count(); }
    // The item's text, key, and sub-item n (from 1); "" outside the list.
    std::string Text(int index) const;
    std::string Key(int index) const;
    std::string SubItem(int index, int n) const;
    bool Checked(int index) const;
    // From code: raises no ItemCheck.
    void SetChecked(int index, bool checked);
    // From code: raises no ItemsCheck.
    void SetAllChecked(bool checked);
    int CheckedCount() const { return model_.CheckedCount(); }
    // As the user does it: raise ItemsCheck once.
    void TickSelected(bool checked);
    void TickAll(bool checked);

    // Widens the column (from 1) so that its longest text shows whole; never narrows it.
    void FitColumnToLongestText(int column);

    // The current item, 0 for none.
    int SelectedIndex() const;
    // Makes the item current and scrolls it into view.
    void SelectItem(int index);

    int MousePointer() const { return mousePointer_; }
    bool SetMousePointer(int mousePointer);

    QTreeView& View() { return *view_; }
    // The right-click menu: tick selected, untick selected, tick all, untick all.
    QMenu& ContextMenu() { return *menu_; }
    ListItemsModel& Model() { return model_; }

signals:
    // The user checked or unchecked the item.
    void ItemCheck(int index, bool checked);
    // The user ticked or unticked many items at once.
    void ItemsCheck();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Holds(int index) const { return index >= 1 && index <= Count(); }
    void CreateContextMenu();
    // The selected rows, from 0, as ranges of first and last.
    std::vector<std::pair<int, int>> SelectedRanges() const;
    void ToggleSelected();

    ListItemsModel model_;
    QTreeView* view_;
    QMenu* menu_;
    std::vector<std::string> headerKeys_;
    int mousePointer_ = 0;
};

}  // namespace zel
