#include "host/controls/ys_tree_nodes.h"

#include <QTreeWidget>

namespace zel {
namespace {

struct Place {
    QTreeWidgetItem* parent = nullptr;
    int position = 0;
};

// Where a node goes relative to another; parent nullptr for an unknown relationship.
Place PlaceBeside(QTreeWidget& tree, YsTreeNode& relative, int relationship) {
    QTreeWidgetItem* siblings = relative.parent() ? relative.parent() : tree.invisibleRootItem();
    const int at = siblings->indexOfChild(&relative);
    switch (relationship) {
        case YsTreeNodes::kFirst:
            return {siblings, 0};
        case YsTreeNodes::kLast:
            return {siblings, siblings->childCount()};
        case YsTreeNodes::kNext:
            return {siblings, at + 1};
        case YsTreeNodes::kPrevious:
            return {siblings, at};
        case YsTreeNodes::kChild:
            return {&relative, relative.childCount()};
        default:
            return {};
    }
}

bool IsRelationship(int relationship) {
    return relationship >= YsTreeNodes::kFirst && relationship <= YsTreeNodes::kChild;
}

}  // namespace

YsTreeNode* YsTreeNodes::Add(const std::string& relativeKey, int relationship,
                             const std::string& key, const std::string& text) {
    if ((!key.empty() && byKey_.contains(key)) || !IsRelationship(relationship)) {
        return nullptr;
    }
    Place place;
    if (relativeKey.empty()) {
        QTreeWidgetItem* top = tree_.invisibleRootItem();
        place = {top, relationship == kFirst ? 0 : top->childCount()};
    } else {
        YsTreeNode* relative = Find(relativeKey);
        if (relative == nullptr) {
            return nullptr;
        }
        place = PlaceBeside(tree_, *relative, relationship);
    }
    auto* node = new YsTreeNode(key, text, Count() + 1);
    place.parent->insertChild(place.position, node);
    if (checkBoxes_) {
        node->ShowCheckBox(true);
    }
    nodes_.push_back(node);
    if (!key.empty()) {
        byKey_.emplace(key, node);
    }
    return node;
}

void YsTreeNodes::Clear() {
    nodes_.clear();
    byKey_.clear();
    tree_.clear();
}

YsTreeNode* YsTreeNodes::Item(int index) const {
    if (index < 1 || index > Count()) {
        return nullptr;
    }
    return nodes_[static_cast<std::size_t>(index - 1)];
}

YsTreeNode* YsTreeNodes::Find(const std::string& key) const {
    const auto found = byKey_.find(key);
    return found == byKey_.end() ? nullptr : found->second;
}

void YsTreeNodes::ShowCheckBoxes(bool shown) {
    checkBoxes_ = shown;
    for (YsTreeNode* node : nodes_) {
        node->ShowCheckBox(shown);
    }
}

}  // namespace zel
