#include "host/controls/list_items_model.h"

namespace zel {

ListItemsModel::ListItemsModel(QObject* parent) : QAbstractTableModel(parent) {}

int ListItemsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count();
}

int ListItemsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(HeaderCount(), 1);
}

QVariant ListItemsModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        const std::string_view text = rows_.Text(index.row(), index.column());
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
    if (role == Qt::CheckStateRole && index.column() == 0) {
        return rows_.Checked(index.row()) ? Qt::Checked : Qt::Unchecked;
    }
    return {};
}

bool ListItemsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || index.column() != 0 ||
        !checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return false;
    }
    const bool checked = value.toInt() == Qt::Checked;
    if (rows_.Checked(index.row()) == checked) {
        return true;
    }
    SetChecked(index.row(), checked);
    emit CheckChanged(index.row(), checked);
    return true;
}

QVariant ListItemsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        return Header(section);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags ListItemsModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    return index.column() == 0 ? flags | Qt::ItemIsUserCheckable : flags;
}

void ListItemsModel::AddHeader(const QString& text) {
    // The first header names the column that exists even without headers.
    if (headers_.empty()) {
        headers_.push_back(text);
        emit headerDataChanged(Qt::Horizontal, 0, 0);
        return;
    }
    const int column = HeaderCount();
    beginInsertColumns({}, column, column);
    headers_.push_back(text);
    endInsertColumns();
}

QString ListItemsModel::Header(int column) const {
    return column >= 0 && column < HeaderCount() ? headers_[static_cast<size_t>(column)]
                                                 : QString();
}

void ListItemsModel::ClearHeaders() {
    if (HeaderCount() > 1) {
        beginRemoveColumns({}, 1, HeaderCount() - 1);
        headers_.resize(1);
        endRemoveColumns();
    }
    headers_.clear();
    emit headerDataChanged(Qt::Horizontal, 0, 0);
}

void ListItemsModel::Append(ListRows&& rows) {
    if (rows.Empty()) {
        return;
    }
    const int first = Count();
    beginInsertRows({}, first, first + rows.Count() - 1);
    rows_.Append(std::move(rows));
    endInsertRows();
}

void ListItemsModel::Clear() {
    beginResetModel();
    rows_ = {};
    endResetModel();
}

void ListItemsModel::SetChecked(int row, bool checked) {
    rows_.SetChecked(row, checked);
    const QModelIndex changed = index(row, 0);
    emit dataChanged(changed, changed, {Qt::CheckStateRole});
}

void ListItemsModel::SetCheckedRange(int first, int last, bool checked) {
    if (first > last) {
        return;
    }
    for (int row = first; row <= last; ++row) {
        rows_.SetChecked(row, checked);
    }
    emit dataChanged(index(first, 0), index(last, 0), {Qt::CheckStateRole});
}

int ListItemsModel::CheckedCount() const {
    int count = 0;
    for (int row = 0; row < Count(); ++row) {
        count += rows_.Checked(row) ? 1 : 0;
    }
    return count;
}

}  // namespace zel
