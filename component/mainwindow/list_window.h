#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/component_context.h"
#include "core/window_frame.h"
#include "host/controls/flex_grid.h"
#include "host/controls/print/print_control.h"
#include "mainwindow/print_all.h"

class QBoxLayout;
class QDate;
class QLabel;
class QPushButton;

namespace korvel {

// Rows a list window keeps in its grid's order, after a sort: the row at i is the one that was at
// sequence[i] (see ListWindow::ReorderRows).
template <class Row>
void ReorderBySequence(std::vector<Row>& rows, const std::vector<int>& sequence) {
    std::vector<Row> sorted;
    sorted.reserve(sequence.size());
    for (const int row : sequence) {
        sorted.push_back(std::move(rows[static_cast<std::size_t>(row)]));
    }
    rows = std::move(sorted);
}

// A window that lists rows beside the main window: a grid under one header row with a serial
// number column, filled in slices while the window's events run, so that a newer query or the
// window's closing stops an older read; a count under it; a click on a column heading sorts by
// that column (again: the other way); the list prints, previews and exports through the main
// window's print path; F1 shows the help of the window's form. The window says what its rows are
// and how a row shows; the frame does the rest.
class ListWindow : public QDialog {
public:
    // The rows of a list's first slice: a few screens of the grid.
    static constexpr std::size_t kFirstSliceRows = 100;

    // Reads the list anew; it runs once by itself, when the window first shows.
    virtual void Query() = 0;
    // The print keys of the main window: "SetUp", "Print", "Preview", "SaveFile".
    void PrintOrExport(const std::string& key);
    // Sorts the list by a column, ascending, or descending when it was sorted ascending by it.
    void SortByColumn(int col);

    zel::FlexGrid& Grid() { return *grid_; }
    const zel::FlexGrid& Grid() const { return *grid_; }
    zel::PrintControl& Prn() { return *prn_; }
    QLabel& Count() { return *count_; }

protected:
    // formKey: the window's object name and the form its help is bound under. refreshMain
    // re-reads the main grid; it runs once, at close, after MarkChanged.
    ListWindow(ComponentContext& context, const char* formKey, const char* titleKey,
               std::function<void()> refreshMain, QWidget* parent);

    // The rows the grid shows, in its order before any sort by column.
    virtual std::size_t RowCount() const = 0;
    // The cells of a row after its serial number.
    virtual std::vector<std::string> CellsOf(std::size_t row) const = 0;
    // What the list is printed as.
    virtual PrintSubject Subject() const = 0;
    // A window whose rows must stay in the grid's order reorders them here: the row at index i
    // after a sort is the one that was at sequence[i].
    virtual void ReorderRows(const std::vector<int>& /*sequence*/) {}
    // Sizes the columns once the first rows of a list show.
    virtual void FitColumns();

    // A new query's number; a read whose number is no longer the last one begun has been
    // superseded and stops.
    int BeginQuery() { return ++queries_; }
    bool Superseded(int query) const { return query != queries_; }
    // Reads up to `most` rows from reader into rows, `slice` rows at a time after a first slice
    // of a few screens, which shows at once; each slice is shown with the count under countKey,
    // the window's events run between slices; false when those events superseded the query.
    // Reader: ReadSome(records, rows) and AtEnd().
    template <class Reader, class Row>
    bool ReadInSlices(Reader& reader, std::vector<Row>& rows, int query, const char* countKey,
                      std::size_t slice, std::size_t most = static_cast<std::size_t>(-1)) {
        std::size_t next = std::min(slice, kFirstSliceRows);
        while (!reader.AtEnd() && rows.size() < most) {
            const std::size_t shown = rows.size();
            reader.ReadSome(std::min(next, most - shown), rows);
            next = slice;
            AppendRows(shown);
            ShowCount(countKey);
            QCoreApplication::processEvents();
            if (Superseded(query)) {
                return false;
            }
        }
        return true;
    }

    // Empties the grid under a header of the serial number and these captions; no sort shows.
    void ShowHeader(const std::vector<std::string>& captions);
    // Shows rows from..RowCount() - 1 below those shown.
    void AppendRows(std::size_t from);
    // The count label: the resource text under key with the number of rows.
    void ShowCount(const char* key);
    // Sorts again by the column last clicked, after rows were added; false when none was.
    bool SortAgain();
    // The grid rows of the selection, first to last, without the header; first > last for none.
    std::pair<int, int> SelectedGridRows() const;

    QPushButton* AddButton(QBoxLayout& row, const std::string& name, const std::string& text,
                           std::function<void()> clicked);
    // The print keys' buttons, then "CloseButton".
    void AddPrintAndCloseButtons(QBoxLayout& row);

    // The rows written from this window: the main grid is read again at close.
    void MarkChanged() { changed_ = true; }
    // The login's business date, or today without one.
    QDate BusinessDate() const;
    std::string Text(const char* key) const;
    ComponentContext& Context() const { return context_; }

    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void SortRows();

    ComponentContext& context_;
    std::function<void()> refreshMain_;
    bool changed_ = false;
    bool shownOnce_ = false;
    int queries_ = 0;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    // For its key hook, which F1 shows the window's help through.
    WindowFrame frame_;
    zel::FlexGrid* grid_ = nullptr;
    QLabel* count_ = nullptr;
    zel::PrintControl* prn_ = nullptr;
};

}  // namespace korvel
