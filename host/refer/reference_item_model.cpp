#include "host/refer/reference_item_model.h"

#include <numeric>

#include "host/refer/reference_columns.h"

namespace zel {
namespace {

// A type the picker does not know is matched on its first two columns.
int ColumnOf(const IRecordset& items, const std::string& field, int fallback) {
    if (field.empty()) {
        return fallback < items.FieldCount() ? fallback : -1;
    }
    return items.FieldIndex(field);
}

}  // namespace

ReferenceItemModel::ReferenceItemModel(std::shared_ptr<const RecordsetCursor> items,
                                       const ReferenceKind& kind, const ColumnCaptions& captions,
                                       QObject* parent)
    : QAbstractTableModel(parent),
      items_(std::move(items)),
      shown_(ShownColumns(items_->Recordset(), kind)),
      headers_(Headers(captions)),
      codeColumn_(ColumnOf(items_->Recordset(), kind.codeField, 0)),
      nameColumn_(ColumnOf(items_->Recordset(), kind.nameField, 1)),
      classColumn_(kind.hasClasses ? items_->Recordset().FieldIndex("cInvCCode") : -1),
      matches_(AllRows()) {}

int ReferenceItemModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(matches_.size());
}

int ReferenceItemModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

QVariant ReferenceItemModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    const Variant value =
        items_->Value(SourceRow(index.row()), shown_[static_cast<std::size_t>(index.column())]);
    return QString::fromStdString(value.ToString());
}

QVariant ReferenceItemModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= columnCount()) {
        return {};
    }
    return headers_[static_cast<std::size_t>(section)];
}

void ReferenceItemModel::SetFilter(ItemFilter filter) {
    std::vector<int> kept;
    if (filter.PassesAll()) {
        kept = AllRows();
    } else if (filter.Narrows(filter_)) {
        for (const int row : matches_) {
            if (Passes(filter, row)) {
                kept.push_back(row);
            }
        }
    } else {
        for (int row = 0; row < items_->RowCount(); ++row) {
            if (Passes(filter, row)) {
                kept.push_back(row);
            }
        }
    }
    beginResetModel();
    matches_ = std::move(kept);
    filter_ = std::move(filter);
    endResetModel();
}

bool ReferenceItemModel::Passes(const ItemFilter& filter, int sourceRow) const {
    return filter.Matches(items_->Value(sourceRow, codeColumn_).ToString(),
                          items_->Value(sourceRow, nameColumn_).ToString(),
                          items_->Value(sourceRow, classColumn_).ToString());
}

std::vector<QString> ReferenceItemModel::Headers(const ColumnCaptions& captions) const {
    std::vector<QString> headers;
    for (const int column : shown_) {
        headers.push_back(
            QString::fromStdString(captions.Of(items_->Recordset().FieldName(column))));
    }
    return headers;
}

std::vector<int> ReferenceItemModel::AllRows() const {
    std::vector<int> rows(static_cast<std::size_t>(items_->RowCount()));
    std::iota(rows.begin(), rows.end(), 0);
    return rows;
}

}  // namespace zel
