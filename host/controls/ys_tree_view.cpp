#include "host/controls/ys_tree_view.h"

#include <QVBoxLayout>

#include "host/controls/tree_node_view.h"

namespace zel {

YsTreeView::YsTreeView(QWidget* parent)
    : QWidget(parent), view_(new TreeNodeView(this)), nodes_(*view_) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    setFocusProxy(view_);

    view_->setHeaderHidden(true);
    view_->setColumnCount(1);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setUniformRowHeights(true);

    connect(view_, &TreeNodeView::UserChoseItem, this,
            [this](QTreeWidgetItem* item) { emit NodeClick(*static_cast<YsTreeNode*>(item)); });
    connect(view_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
        auto* node = static_cast<YsTreeNode*>(item);
        if (node->AdoptShownCheck()) {
            emit NodeCheck(*node, node->Checked());
        }
    });
}

YsTreeNode* YsTreeView::SelectedItem() const {
    return static_cast<YsTreeNode*>(view_->currentItem());
}

void YsTreeView::SetCheckboxes(bool checkboxes) {
    checkboxes_ = checkboxes;
    nodes_.ShowCheckBoxes(checkboxes);
}

void YsTreeView::RaiseNodeClick(YsTreeNode& node) {
    emit NodeClick(node);
}

QTreeView& YsTreeView::View() {
    return *view_;
}

}  // namespace zel
