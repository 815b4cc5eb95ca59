#pragma once

#include <functional>
#include <vector>

#include "checkplan/counted_today.h"
#include "checkplan/due_checks.h"
#include "core/component_context.h"
#include "mainwindow/list_window.h"

class QDateEdit;
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
// may read, optionally of one warehouse or storekeeper. The rows show as they are read, in the
// order of their next check; a click on a column heading sorts by that column. The
// rows chosen in the grid can be marked counted today, a double-clicked one edited, and the list
// printed, previewed and exported as the main grid is.
class FrmDueChecks final : public ListWindow {
    Q_OBJECT

public:
    // Rows of the query read between two looks at the window's events.
    static constexpr std::size_t kRecordsPerSlice = 5000;

    FrmDueChecks(ComponentContext& context, DueChecksLinks links = {}, QWidget* parent = nullptr);

    // Reads the list anew; a newer query or the window's closing stops it part way.
    void Query() override;
    // Marks the grid's chosen rows under the edit lock; a refused lock changes nothing.
    void CountedToday();
    // The warehouse the list's print heading names.
    std::string ListedWarehouseHeading() const;
    // Opens the grid's current row in the record editor, then reads the list again.
    void EditCurrentRow();

    QDateEdit& AsOf() { return *asOf_; }
    QLineEdit& WarehouseFilter() { return *warehouse_; }
    QLineEdit& StorekeeperFilter() { return *storekeeper_; }
    // The rows read, in the order of the grid before a sort by column.
    const std::vector<DueCheck>& Rows() const { return rows_; }

protected:
    std::size_t RowCount() const override { return rows_.size(); }
    std::vector<std::string> CellsOf(std::size_t row) const override;
    PrintSubject Subject() const override;
    void FitColumns() override;

private:
    void CreateControls();
    void ShowColumns();
    std::vector<RowKey> ChosenRows() const;

    DueChecksLinks links_;
    std::vector<DueCheck> rows_;
    // The date and captions the rows shown were listed with.
    std::chrono::year_month_day listedAsOf_{};
    // The warehouse code the list was asked for; empty: every warehouse.
    std::string listedWarehouse_;
    DueCheckCaptions captions_;
    QDateEdit* asOf_ = nullptr;
    QLineEdit* warehouse_ = nullptr;
    QLineEdit* storekeeper_ = nullptr;
};

}  // namespace korvel
