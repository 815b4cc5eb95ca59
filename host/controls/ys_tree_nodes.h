#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "host/controls/ys_tree_node.h"

class QTreeWidget;

namespace zel {

// The node collection of a YsTreeView: nodes in the order of adding, each findable by its key.
class YsTreeNodes {
public:
    enum Relationship : int { kFirst = 0, kLast = 1, kNext = 2, kPrevious = 3, kChild = 4 };

    explicit YsTreeNodes(QTreeWidget& tree) : tree_(tree) {}

    // Adds a node placed by relationship to the node keyed relativeKey; with no relative, a
    // top-level node (first for kFirst, last otherwise). nullptr, and nothing added, when the
    // key is already taken, the relative is unknown or the relationship is not one of the five.
    YsTreeNode* Add(const std::string& relativeKey, int relationship, const std::string& key,
                    const std::string& text);
    void Clear();
    int Count() const { return static_cast<int>(nodes_.size()); }
    // From 1; nullptr outside 1..Count().
    YsTreeNode* Item(int index) const;
    YsTreeNode* Find(const std::string& key) const;

    // Gives every node, present and future, a check box or takes it away.
    void ShowCheckBoxes(bool shown);

private:
    QTreeWidget& tree_;
    std::vector<YsTreeNode*> nodes_;
    std::unordered_map<std::string, YsTreeNode*> byKey_;
    bool checkBoxes_ = false;
};

}  // namespace zel
