#pragma once

#include <QWidget>

#include "host/controls/ys_tree_nodes.h"

class QTreeView;

namespace zel {

class TreeNodeView;

// A tree of keyed nodes, optionally with check boxes. Checking a node changes that node only:
// what a check means for its children is the window's business.
class YsTreeView final : public QWidget {
    Q_OBJECT

public:
    explicit YsTreeView(QWidget* parent = nullptr);

    YsTreeNodes& Nodes() { return nodes_; }
    const YsTreeNodes& Nodes() const { return nodes_; }
    // The selected node, or nullptr.
    YsTreeNode* SelectedItem() const;
    bool Checkboxes() const { return checkboxes_; }
    void SetCheckboxes(bool checkboxes);
    // Raises NodeClick for the node as a user's click would, without changing the selection.
    void RaiseNodeClick(YsTreeNode& node);

    // For styling the tree (lines, indentation, fonts).
    QTreeView& View();

signals:
    void NodeClick(zel::YsTreeNode& node);
    // The user checked or unchecked the node.
    void NodeCheck(zel::YsTreeNode& node, bool checked);

private:
    TreeNodeView* view_;
    YsTreeNodes nodes_;
    bool checkboxes_ = false;
};

}  // namespace zel
