#pragma once

#include <QAbstractTableModel>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/controls/cell_row.h"
#include "host/controls/column_sort_keys.h"

namespace zel {

// The cells of a FlexGrid. Grid coordinates count the fixed row: grid row 0 is the header (shown
// by the view as its horizontal header) when there is one fixed row, and model row m is grid row
// m + FixedRows().
class FlexGridModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit FlexGridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    int Rows() const { return static_cast<int>(rows_.size()); }
    // Fails below FixedRows(). New rows are empty and cost no allocation until written; the
    // room kept for rows fits the count.
    bool SetRows(int rows);
    // Adds empty rows up to `rows` (none when there are as many already) for a fill that learns
    // its size while it reads: the room grows in steps, so growing a batch at a time costs no
    // more than setting the count once. SetRows fits the room again.
    void GrowRows(int rows);
    int Cols() const { return cols_; }
    bool SetCols(int cols);
    int FixedRows() const { return fixedRows_; }
    // 0 or 1: the view has one header row to show it in.
    bool SetFixedRows(int fixedRows);

    // "" outside the grid.
    std::string_view Text(int row, int col) const;
    bool SetText(int row, int col, std::string_view text);
    // Cells 0 … texts.size() - 1 of a row, as that many SetText calls would leave them (false
    // when some lie beyond the last column, which are not written).
    bool SetRowTexts(int row, std::span<const std::string> texts);

    Qt::Alignment ColAlignment(int col) const;
    bool SetColAlignment(int col, Qt::Alignment alignment);

    // While deferred, cell and header changes are gathered into one rectangle and announced when
    // deferring ends. Row and column counts are announced at once, as a model must.
    void SetDeferUpdates(bool defer);
    bool DeferUpdates() const { return defer_; }

    // Reorders the rows below the fixed row by the texts of one column, keeping each row whole
    // and equal cells in their order (see ColumnSortKeys). Persistent indexes follow their rows.
    bool Sort(int col, Qt::SortOrder order, CellKind kind = CellKind::kGuessed);
    // The model rows (0 for the first row below the fixed row) in the order Sort would put them;
    // empty for a column outside the grid.
    std::vector<int> SortedRows(int col, Qt::SortOrder order, CellKind kind) const;
    // Puts model row sequence[i] at model row i, in one layout change; fails unless the sequence
    // names every model row exactly once.
    bool ReorderRows(const std::vector<int>& sequence);

    int GridRow(const QModelIndex& index) const { return index.row() + fixedRows_; }
    QModelIndex GridIndex(int row, int col) const { return index(row - fixedRows_, col); }

private:
    struct Span {
        int first = -1;
        int last = -1;
        void Add(int value);
        bool Empty() const { return first < 0; }
    };

    void NoteCellChanged(int row, int col);
    void NoteHeaderChanged(int col);
    void Flush();

    std::vector<CellRow> rows_;
    std::vector<Qt::Alignment> alignments_;
    int cols_ = 0;
    int fixedRows_ = 0;
    bool defer_ = false;
    Span dirtyRows_;
    Span dirtyCols_;
    Span dirtyHeader_;
};

}  // namespace zel
