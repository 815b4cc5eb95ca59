#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "host/controls/list_items_model.h"

class QTreeView;

namespace zel {

// A multi-column list of keyed items with a check box on each, drawn through model/view so that
// a hundred thousand items cost no widget each. Item indexes count from 1.
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

    // The current item, 0 for none.
    int SelectedIndex() const;
    // Makes the item current and scrolls it into view.
    void SelectItem(int index);

    int MousePointer() const { return mousePointer_; }
    bool SetMousePointer(int mousePointer);

    QTreeView& View() { return *view_; }
    ListItemsModel& Model() { return model_; }

signals:
    // The user checked or unchecked the item.
    void ItemCheck(int index, bool checked);

private:
    bool Holds(int index) const { return index >= 1 && index <= Count(); }

    ListItemsModel model_;
    QTreeView* view_;
    std::vector<std::string> headerKeys_;
    int mousePointer_ = 0;
};

}  // namespace zel
