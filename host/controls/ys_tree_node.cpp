#include "host/controls/ys_tree_node.h"

#include <QTreeWidget>

namespace zel {
namespace {

Qt::CheckState CheckStateOf(bool checked) {
    return checked ? Qt::Checked : Qt::Unchecked;
}

}  // namespace

YsTreeNode::YsTreeNode(std::string key, const std::string& text, int index)
    : QTreeWidgetItem(kType), key_(std::move(key)), index_(index) {
    SetText(text);
}

std::string YsTreeNode::Text() const {
    return text(0).toStdString();
}

void YsTreeNode::SetText(const std::string& text) {
    setText(0, QString::fromStdString(text));
}

YsTreeNode* YsTreeNode::Parent() const {
    return static_cast<YsTreeNode*>(parent());
}

YsTreeNode* YsTreeNode::Child() const {
    return childCount() == 0 ? nullptr : static_cast<YsTreeNode*>(child(0));
}

YsTreeNode* YsTreeNode::Next() const {
    QTreeWidgetItem* owner = parent();
    if (owner == nullptr && treeWidget() != nullptr) {
        owner = treeWidget()->invisibleRootItem();
    }
    if (owner == nullptr) {
        return nullptr;
    }
    const int position = owner->indexOfChild(const_cast<YsTreeNode*>(this));
    QTreeWidgetItem* next = owner->child(position + 1);
    return static_cast<YsTreeNode*>(next);
}

void YsTreeNode::SetChecked(bool checked) {
    checked_ = checked;
    if (flags() & Qt::ItemIsUserCheckable) {
        setCheckState(0, CheckStateOf(checked));
    }
}

bool YsTreeNode::Selected() const {
    return treeWidget() != nullptr && treeWidget()->currentItem() == this;
}

void YsTreeNode::SetSelected(bool selected) {
    QTreeWidget* tree = treeWidget();
    if (tree == nullptr) {
        return;
    }
    if (selected) {
        tree->setCurrentItem(this);
    } else if (tree->currentItem() == this) {
        tree->setCurrentItem(nullptr);
    }
}

void YsTreeNode::ShowCheckBox(bool shown) {
    if (shown) {
        // State before flag: the flag change is announced, and must find the state in place.
        setCheckState(0, CheckStateOf(checked_));
        setFlags(flags() | Qt::ItemIsUserCheckable);
    } else {
        setFlags(flags() & ~Qt::ItemIsUserCheckable);
        setData(0, Qt::CheckStateRole, QVariant());
    }
}

bool YsTreeNode::AdoptShownCheck() {
    if (!(flags() & Qt::ItemIsUserCheckable)) {
        return false;
    }
    const bool shown = checkState(0) == Qt::Checked;
    if (shown == checked_) {
        return false;
    }
    checked_ = shown;
    return true;
}

}  // namespace zel
