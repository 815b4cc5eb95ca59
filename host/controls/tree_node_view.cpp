#include "host/controls/tree_node_view.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace zel {

TreeNodeView::TreeNodeView(QWidget* parent) : QTreeWidget(parent) {
    connect(this, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { ReportClick(item); });
}

void TreeNodeView::mousePressEvent(QMouseEvent* event) {
    QTreeWidgetItem* before = currentItem();
    QTreeWidget::mousePressEvent(event);
    QTreeWidgetItem* after = currentItem();
    pressReported_ = after != nullptr && after != before;
    if (pressReported_) {
        emit UserChoseItem(after);
    }
}

void TreeNodeView::keyPressEvent(QKeyEvent* event) {
    QTreeWidgetItem* before = currentItem();
    QTreeWidget::keyPressEvent(event);
    QTreeWidgetItem* after = currentItem();
    if (after != nullptr && after != before) {
        emit UserChoseItem(after);
    }
}

void TreeNodeView::ReportClick(QTreeWidgetItem* item) {
    if (pressReported_) {
        pressReported_ = false;
        return;
    }
    emit UserChoseItem(item);
}

}  // namespace zel
