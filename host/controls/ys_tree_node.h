#pragma once

#include <QTreeWidgetItem>
#include <string>

namespace zel {

// One node of a YsTreeView. Nodes are made and owned by the tree's node collection.
class YsTreeNode final : public QTreeWidgetItem {
public:
    static constexpr int kType = QTreeWidgetItem::UserType + 1;

    YsTreeNode(std::string key, const std::string& text, int index);

    const std::string& Key() const { return key_; }
    std::string Text() const;
    void SetText(const std::string& text);
    // Position in the order of adding, from 1.
    int Index() const { return index_; }

    // nullptr for a top-level node.
    YsTreeNode* Parent() const;
    int Children() const { return childCount(); }
    // The first child, or nullptr.
    YsTreeNode* Child() const;
    // The next sibling, or nullptr.
    YsTreeNode* Next() const;

    // Setting the check state from code never raises the tree's NodeCheck.
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool Expanded() const { return isExpanded(); }
    void SetExpanded(bool expanded) { setExpanded(expanded); }
    // The selected node is the tree's current one; selecting from code raises no NodeClick.
    bool Selected() const;
    void SetSelected(bool selected);

    // For the tree: shows or hides the node's check box.
    void ShowCheckBox(bool shown);
    // For the tree: true when the shown check state differs from the node's, which then takes
    // it; that difference is how a user's toggle is told from a program's.
    bool AdoptShownCheck();

private:
    std::string key_;
    int index_;
    bool checked_ = false;
};

}  // namespace zel
