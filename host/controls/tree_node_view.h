#pragma once

#include <QTreeWidget>

namespace zel {

// The tree widget inside a YsTreeView. It tells the user's clicks and keyboard moves apart from
// selection changes made by code, which must not look like a click.
class TreeNodeView final : public QTreeWidget {
    Q_OBJECT

public:
    explicit TreeNodeView(QWidget* parent = nullptr);

signals:
    // The user clicked a node, or moved to it with the keyboard.
    void UserChoseItem(QTreeWidgetItem* item);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ReportClick(QTreeWidgetItem* item);

    // The press already reported a move to a new node; its click must not report it twice.
    bool pressReported_ = false;
};

}  // namespace zel
