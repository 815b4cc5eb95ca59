#pragma once

#include <QTableView>

namespace zel {

// The table view of a FlexGrid, under a header whose captions may take two lines. A fill announces
// its rows in blocks, most of them far below what is shown; those announcements repaint nothing, so
// that letting events run during a long fill costs no more than painting the rows in sight.
class GridTableView final : public QTableView {
    Q_OBJECT

public:
    explicit GridTableView(QWidget* parent = nullptr);

    // The width the cells of a column need, over the rows in sight and as many more as the
    // header's resize precision allows; never every row of a long grid.
    int ContentWidth(int col) const { return sizeHintForColumn(col); }

protected:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles) override;
};

}  // namespace zel
