#include "host/controls/flex_grid_model.h"

#include <algorithm>
#include <numeric>

namespace zel {
namespace {

constexpr Qt::Alignment kDefaultAlignment = Qt::AlignLeft | Qt::AlignVCenter;

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void FlexGridModel::Span::Add(int value) {
    if (Empty()) {
        first = last = value;
        return;
    }
    first = std::min(first, value);
    last = std::max(last, value);
}

FlexGridModel::FlexGridModel(QObject* parent)
    : QAbstractTableModel(parent),
      rows_(1),
      alignments_(2, kDefaultAlignment),
      cols_(2),
      fixedRows_(1) {}

int FlexGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Rows() - fixedRows_;
}

int FlexGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

QVariant FlexGridModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return ToQString(Text(GridRow(index), index.column()));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(ColAlignment(index.column()));
        default:
            return {};
    }
}

QVariant FlexGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && fixedRows_ > 0 && section >= 0 && section < cols_ &&
        role == Qt::DisplayRole) {
        return ToQString(Text(0, section));
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags FlexGridModel::flags(const QModelIndex& index) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

bool FlexGridModel::SetRows(int rows) {
    if (rows < fixedRows_) {
        return false;
    }
    if (rows > Rows()) {
        rows_.reserve(static_cast<std::size_t>(rows));
        GrowRows(rows);
    } else if (rows < Rows()) {
        beginRemoveRows({}, rows - fixedRows_, rowCount() - 1);
        rows_.resize(static_cast<std::size_t>(rows));
        endRemoveRows();
    }
    rows_.shrink_to_fit();
    return true;
}

void FlexGridModel::GrowRows(int rows) {
    if (rows <= Rows()) {
        return;
    }
    beginInsertRows({}, rowCount(), rows - fixedRows_ - 1);
    rows_.resize(static_cast<std::size_t>(rows));
    endInsertRows();
}

bool FlexGridModel::SetCols(int cols) {
    if (cols < 0) {
        return false;
    }
    if (cols > cols_) {
        beginInsertColumns({}, cols_, cols - 1);
        cols_ = cols;
        alignments_.resize(static_cast<std::size_t>(cols), kDefaultAlignment);
        endInsertColumns();
    } else if (cols < cols_) {
        beginRemoveColumns({}, cols, cols_ - 1);
        cols_ = cols;
        alignments_.resize(static_cast<std::size_t>(cols));
        for (auto& row : rows_) {
            row.Truncate(cols);
        }
        endRemoveColumns();
    }
    return true;
}

bool FlexGridModel::SetFixedRows(int fixedRows) {
    if (fixedRows < 0 || fixedRows > 1 || fixedRows > Rows()) {
        return false;
    }
    if (fixedRows != fixedRows_) {
        beginResetModel();
        fixedRows_ = fixedRows;
        endResetModel();
    }
    return true;
}

std::string_view FlexGridModel::Text(int row, int col) const {
    if (row < 0 || row >= Rows() || col < 0 || col >= cols_) {
        return {};
    }
    return rows_[static_cast<std::size_t>(row)].Cell(col);
}

bool FlexGridModel::SetText(int row, int col, std::string_view text) {
    if (row < 0 || row >= Rows() || col < 0 || col >= cols_) {
        return false;
    }
    rows_[static_cast<std::size_t>(row)].SetCell(col, text, cols_);
    if (row < fixedRows_) {
        NoteHeaderChanged(col);
    } else {
        NoteCellChanged(row - fixedRows_, col);
    }
    return true;
}

bool FlexGridModel::SetRowTexts(int row, std::span<const std::string> texts) {
    if (row < 0 || row >= Rows()) {
        return false;
    }
    // As with SetText, a text beyond the last column is not written.
    const bool fits = texts.size() <= static_cast<std::size_t>(cols_);
    texts = texts.first(std::min(texts.size(), static_cast<std::size_t>(cols_)));
    if (texts.empty()) {
        return fits;
    }
    rows_[static_cast<std::size_t>(row)].SetCells(texts);
    const int last = static_cast<int>(texts.size()) - 1;
    if (row < fixedRows_) {
        for (int col = 0; col <= last; ++col) {
            NoteHeaderChanged(col);
        }
    } else {
        dirtyCols_.Add(0);
        NoteCellChanged(row - fixedRows_, last);
    }
    return fits;
}

Qt::Alignment FlexGridModel::ColAlignment(int col) const {
    if (col < 0 || col >= cols_) {
        return kDefaultAlignment;
    }
    return alignments_[static_cast<std::size_t>(col)];
}

bool FlexGridModel::SetColAlignment(int col, Qt::Alignment alignment) {
    if (col < 0 || col >= cols_) {
        return false;
    }
    alignments_[static_cast<std::size_t>(col)] = alignment;
    if (rowCount() > 0) {
        dirtyRows_.Add(0);
        dirtyRows_.Add(rowCount() - 1);
        dirtyCols_.Add(col);
    }
    if (!defer_) {
        Flush();
    }
    return true;
}

void FlexGridModel::SetDeferUpdates(bool defer) {
    defer_ = defer;
    if (!defer_) {
        Flush();
    }
}

void FlexGridModel::NoteCellChanged(int modelRow, int col) {
    dirtyRows_.Add(modelRow);
    dirtyCols_.Add(col);
    if (!defer_) {
        Flush();
    }
}

void FlexGridModel::NoteHeaderChanged(int col) {
    dirtyHeader_.Add(col);
    if (!defer_) {
        Flush();
    }
}

void FlexGridModel::Flush() {
    // Rows or columns may have gone while the changes were gathered.
    const int lastRow = std::min(dirtyRows_.last, rowCount() - 1);
    const int lastCol = std::min(dirtyCols_.last, cols_ - 1);
    if (!dirtyRows_.Empty() && dirtyRows_.first <= lastRow && dirtyCols_.first <= lastCol) {
        emit dataChanged(index(dirtyRows_.first, dirtyCols_.first), index(lastRow, lastCol),
                         {Qt::DisplayRole, Qt::TextAlignmentRole});
    }
    const int lastHeader = std::min(dirtyHeader_.last, cols_ - 1);
    if (!dirtyHeader_.Empty() && dirtyHeader_.first <= lastHeader) {
        emit headerDataChanged(Qt::Horizontal, dirtyHeader_.first, lastHeader);
    }
    dirtyRows_ = {};
    dirtyCols_ = {};
    dirtyHeader_ = {};
}

std::vector<int> FlexGridModel::SortedRows(int col, Qt::SortOrder order, CellKind kind) const {
    if (col < 0 || col >= cols_) {
        return {};
    }
    const auto first = static_cast<std::size_t>(fixedRows_);
    const std::size_t count = rows_.size() - first;
    ColumnSortKeys keys(kind);
    keys.Reserve(count);
    for (std::size_t i = first; i < rows_.size(); ++i) {
        keys.Add(rows_[i].Cell(col));
    }
    std::vector<int> sequence(count);
    std::iota(sequence.begin(), sequence.end(), 0);
    const auto before = [&keys](int a, int b) {
        return keys.Before(static_cast<std::size_t>(a), static_cast<std::size_t>(b));
    };
    if (order == Qt::AscendingOrder) {
        std::stable_sort(sequence.begin(), sequence.end(), before);
    } else {
        std::stable_sort(sequence.begin(), sequence.end(),
                         [&before](int a, int b) { return before(b, a); });
    }
    return sequence;
}

bool FlexGridModel::ReorderRows(const std::vector<int>& sequence) {
    const auto first = static_cast<std::size_t>(fixedRows_);
    const std::size_t count = rows_.size() - first;
    if (sequence.size() != count) {
        return false;
    }
    // Where each row goes; also proves the sequence names every row once.
    std::vector<int> newRowOf(count, -1);
    for (std::size_t position = 0; position < count; ++position) {
        const int row = sequence[position];
        if (row < 0 || static_cast<std::size_t>(row) >= count ||
            newRowOf[static_cast<std::size_t>(row)] >= 0) {
            return false;
        }
        newRowOf[static_cast<std::size_t>(row)] = static_cast<int>(position);
    }

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<CellRow> reordered;
    reordered.reserve(count);
    for (const int row : sequence) {
        reordered.push_back(std::move(rows_[first + static_cast<std::size_t>(row)]));
    }
    std::move(reordered.begin(), reordered.end(),
              rows_.begin() + static_cast<std::ptrdiff_t>(first));
    // Only the view's current cell and selection are persistent: a handful of indexes.
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before) {
        after.append(this->index(newRowOf[static_cast<std::size_t>(index.row())], index.column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    return true;
}

bool FlexGridModel::Sort(int col, Qt::SortOrder order, CellKind kind) {
    if (col < 0 || col >= cols_) {
        return false;
    }
    return ReorderRows(SortedRows(col, order, kind));
}

}  // namespace zel
