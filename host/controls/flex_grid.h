#pragma once

#include <QColor>
#include <QWidget>
#include <span>
#include <string>
#include <vector>

#include "host/controls/flex_grid_model.h"
#include "host/controls/grid_column_widths.h"
#include "host/controls/grid_table_view.h"

class QItemSelection;

namespace zel {

// The field a grid column shows, as the host's grid formatting recorded it from the query.
struct GridField {
    std::string name;    // as the result names it: "iTopSum"
    std::string source;  // "Table.column" when read straight from a table, else ""
};

// The list grid of the component's windows. Row, Col, RowSel and ColSel count grid rows, the
// fixed header row included; the selection is the block between (Row, Col) and (RowSel, ColSel).
// Setting Row or Col collapses the selection onto the current cell, so a block is set from code
// by setting Row and Col first, then RowSel and ColSel.
class FlexGrid final : public QWidget {
    Q_OBJECT

public:
    enum SelectionModes { kSelectionFree = 0, kSelectionByRow = 1, kSelectionByColumn = 2 };
    // Rows read when sizing columns to their contents.
    static constexpr int kSizingRows = 200;

    explicit FlexGrid(QWidget* parent = nullptr);

    int Rows() const { return model_.Rows(); }
    bool SetRows(int rows);
    // Adds rows up to `rows` while a fill reads a result of unknown size (see
    // FlexGridModel::GrowRows). Rows are only added, so the cursor stays, and the columns are
    // still fitted when the fill first shows its rows.
    void GrowRows(int rows) { model_.GrowRows(rows); }
    int Cols() const { return model_.Cols(); }
    bool SetCols(int cols);
    int FixedRows() const { return model_.FixedRows(); }
    bool SetFixedRows(int fixedRows);

    int Row() const { return row_; }
    bool SetRow(int row);
    int Col() const { return col_; }
    bool SetCol(int col);
    int RowSel() const { return rowSel_; }
    bool SetRowSel(int row);
    int ColSel() const { return colSel_; }
    bool SetColSel(int col);

    std::string TextMatrix(int row, int col) const;
    bool SetTextMatrix(int row, int col, std::string_view text);
    // Cells 0 … texts.size() - 1 of a row at once, as SetTextMatrix on each would leave them.
    bool SetRowTexts(int row, std::span<const std::string> texts);

    int MousePointer() const { return mousePointer_; }
    bool SetMousePointer(int mousePointer);
    // While off, cell changes are neither painted nor announced; switching it on shows them all,
    // and the first time after the row count was set it fits the columns that follow their
    // contents (FitColToContents) to the rows written so far.
    bool Redraw() const { return !model_.DeferUpdates(); }
    void SetRedraw(bool redraw);
    QColor BackColor() const;
    void SetBackColor(const QColor& color);

    // In twips.
    double ColWidth(int col) const;
    bool SetColWidth(int col, double twips);
    // The column is sized to its header and its first kSizingRows rows each time a fill shows
    // its rows (see Redraw), never wider than maxTwips, until the user sizes it by hand.
    bool FitColToContents(int col, double maxTwips);
    // On: when the view is wider than its columns, the columns that follow their contents and
    // that the user has not sized share the spare width in proportion to their own widths, and
    // give it back when the view narrows. Off (the default): columns keep their widths.
    void SetSpreadSpareWidth(bool spread) { widths_.SetSpread(spread); }
    // The user dragged the column's edge (or double-clicked it): the width is the user's.
    bool ColSizedByUser(int col) const { return widths_.SizedByUser(col); }
    Qt::Alignment ColAlignment(int col) const { return model_.ColAlignment(col); }
    bool SetColAlignment(int col, Qt::Alignment alignment);
    int SelectionMode() const { return selectionMode_; }
    bool SetSelectionMode(int mode);
    // Fits the columns the user has not sized to the header and the first rows; never reads
    // every row.
    void AutoSizeCols();
    // Sorts the rows below the fixed row by one column (see FlexGridModel::Sort). The current row
    // follows its row to its new place; a selection of several rows shrinks to that row.
    bool Sort(int col, Qt::SortOrder order, CellKind kind = CellKind::kGuessed);
    // Puts the rows in the order of a sequence from FlexGridModel::SortedRows, as Sort does, for
    // a window that reorders rows of its own by the same sequence.
    bool ReorderRows(const std::vector<int>& sequence);
    // An empty field for a column that shows none (the serial number) or was never formatted.
    const GridField& ColField(int col) const;
    bool SetColField(int col, GridField field);

    FlexGridModel& Model() { return model_; }
    QTableView& View() { return *view_; }
    const QTableView& View() const { return *view_; }

signals:
    // A double click on a cell.
    void DblClick();
    // A mouse button released over the grid or its header: button and shift in the host's codes,
    // x and y in twips from the grid's top left corner.
    void MouseUp(short button, short shift, float x, float y);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsGridRow(int row) const { return row >= 0 && row < Rows(); }
    bool IsGridCol(int col) const { return col >= 0 && col < Cols(); }
    void ClampCursor();
    void ShowSelection();
    void TakeSelectionFromView();

    FlexGridModel model_;
    GridTableView* view_;
    GridColumnWidths widths_;
    std::vector<GridField> fields_;
    int row_ = 0;
    int col_ = 0;
    int rowSel_ = 0;
    int colSel_ = 0;
    int mousePointer_ = 0;
    int selectionMode_ = kSelectionFree;
    bool showingSelection_ = false;
};

}  // namespace zel
