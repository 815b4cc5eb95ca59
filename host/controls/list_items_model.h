#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <vector>

#include "host/controls/list_rows.h"

namespace zel {

// The rows of a YsListView, with a check box on column 0 of every row.
class ListItemsModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ListItemsModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void AddHeader(const QString& text);
    int HeaderCount() const { return static_cast<int>(headers_.size()); }
    QString Header(int column) const;
    void ClearHeaders();

    // Appends the rows in one insertion, so that a view lays them out once; leaves rows empty,
    // ready for the next batch.
    void Append(ListRows&& rows);
    void Clear();
    int Count() const { return rows_.Count(); }
    // Each row's item text in column 0, its sub-items after it.
    const ListRows& Rows() const { return rows_; }
    // Setting the state from code never raises CheckChanged.
    void SetChecked(int row, bool checked);
    // The rows first to last (from 0), told to the views as one change.
    void SetCheckedRange(int first, int last, bool checked);
    int CheckedCount() const;

signals:
    // The user checked or unchecked the row.
    void CheckChanged(int row, bool checked);

private:
    std::vector<QString> headers_;
    ListRows rows_;
};

}  // namespace zel
