#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <memory>
#include <vector>

#include "host/refer/column_captions.h"
#include "host/refer/item_filter.h"
#include "host/refer/recordset_cursor.h"
#include "host/refer/reference_kind.h"

namespace zel {

// The items of a picker, straight from the item query: the model keeps only the numbers of the
// recordset rows that pass the filter, so that 100,000 items cost one int each and a view reads
// just the rows it paints.
class ReferenceItemModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    ReferenceItemModel(std::shared_ptr<const RecordsetCursor> items, const ReferenceKind& kind,
                       const ColumnCaptions& captions, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    void SetFilter(ItemFilter filter);
    // The recordset row shown at a model row.
    int SourceRow(int row) const { return matches_[static_cast<std::size_t>(row)]; }

private:
    bool Passes(const ItemFilter& filter, int sourceRow) const;
    std::vector<int> AllRows() const;
    std::vector<QString> Headers(const ColumnCaptions& captions) const;

    std::shared_ptr<const RecordsetCursor> items_;
    std::vector<int> shown_;  // recordset columns, in view order
    std::vector<QString> headers_;
    int codeColumn_;
    int nameColumn_;
    int classColumn_;
    ItemFilter filter_;
    std::vector<int> matches_;
};

}  // namespace zel
