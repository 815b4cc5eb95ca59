#pragma once

#include <QTableView>

namespace zel {

// The table view of a FlexGrid. A fill announces its rows in blocks, most of them far below
// what is shown; those announcements repaint nothing, so that letting events run during a long
// fill costs no more than painting the rows in sight.
class GridTableView final : public QTableView {
    Q_OBJECT

public:
    using QTableView::QTableView;

protected:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles) override;
};

}  // namespace zel
