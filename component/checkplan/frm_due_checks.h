#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "checkplan/counted_today.h"
#include "checkplan/due_checks.h"
#include "core/component_context.h"
#include "core/window_frame.h"
#include "host/controls/flex_grid.h"
#include "host/controls/print/print_control.h"
#include "mainwindow/print_all.h"

class QDateEdit;
class QLabel;
class QLineEdit;

namespace korvel {

// What the window asks of the main window it was opened from.
struct DueChecksLinks {
    // Re-reads the main grid; it runs once, at close, after a change.
    std::function<void()> refreshMain;
    // Opens the row in the record editor and returns when the editor has closed; false when the
    // row could not be shown there.
    std::function<bool(const RowKey&)> editRow;
};

// The rows due for a stock check on or before a date, across the warehouses and items the user
// may read, optionally of one warehouse or storekeeper. The rows show as they are read and are
// sorted by next check when the read ends; a click on a column heading sorts by that column. The
// rows chosen in the grid can be marked counted today, a double-clicked one edited, and the list
// printed, previewed and exported as the main grid is.
class FrmDueChecks final : public QDialog {
    Q_OBJECT

public:
    // Rows of the query read between two looks at the window's events.
    static constexpr std::size_t kRecordsPerSlice = 5000;

    FrmDueChecks(ComponentContext& context, DueChecksLinks links = {}, QWidget* parent = nullptr);

    // Reads the list anew; a newer query or the window's closing stops it part way.
    void Query();
    // Marks the grid's chosen rows under the edit lock; a refused lock changes nothing.
    void CountedToday();
    // The print keys of the main window: "SetUp", "Print", "Preview", "SaveFile".
    void PrintOrExport(const std::string& key);
    // The warehouse the list's print heading names.
    std::string ListedWarehouseHeading() const;
    // Opens the grid's current row in the record editor, then reads the list again.
    void EditCurrentRow();
    // Sorts the grid by a column, ascending, or descending when it was sorted ascending by it.
    void SortByColumn(int col);

    zel::FlexGrid& Grid() { return *grid_; }
    zel::PrintControl& Prn() { return *prn_; }
    QDateEdit& AsOf() { return *asOf_; }
    QLineEdit& WarehouseFilter() { return *warehouse_; }
    QLineEdit& StorekeeperFilter() { return *storekeeper_; }
    QLabel& Count() { return *count_; }
    // The rows read, in the order of the grid before a sort by column.
    const std::vector<DueCheck>& Rows() const { return rows_; }

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void CreateControls();
    void ConnectControls();
    void ReadRows(DueCheckReader& reader, int query);
    void ShowHeader();
    void AppendRows(std::size_t from);
    void ShowCount(const char* key);
    void NumberRows();
    std::vector<RowKey> ChosenRows() const;
    PrintSubject Subject() const;
    std::string Text(const char* key) const;

    ComponentContext& context_;
    DueChecksLinks links_;
    bool changed_ = false;
    bool shownOnce_ = false;
    // Counts the queries begun: a read whose number is no longer the last stops.
    int queries_ = 0;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    std::vector<DueCheck> rows_;
    // The date and captions the rows shown were listed with.
    std::chrono::year_month_day listedAsOf_{};
    // The warehouse code the list was asked for; empty: every warehouse.
    std::string listedWarehouse_;
    DueCheckCaptions captions_;
    // For its key hook, which F1 shows the window's help through.
    WindowFrame frame_;
    QDateEdit* asOf_ = nullptr;
    QLineEdit* warehouse_ = nullptr;
    QLineEdit* storekeeper_ = nullptr;
    zel::FlexGrid* grid_ = nullptr;
    QLabel* count_ = nullptr;
    zel::PrintControl* prn_ = nullptr;
};

}  // namespace korvel
