#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "core/component_context.h"
#include "history/change_history.h"
#include "mainwindow/list_window.h"

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QHBoxLayout;
class QLineEdit;
class QPushButton;

namespace korvel {

// What the window asks of the windows it was opened from. An empty entry leaves its button
// disabled.
struct ChangeHistoryLinks {
    // Puts back the old values of the value rows given; true when rows were written.
    std::function<bool(const std::vector<ChangeHistoryEntry>& values)> restore;
    // Undoes whole entries (each one statement's changes) in one step, newest first; true when
    // rows were written.
    std::function<bool(const std::vector<long long>& changes)> undo;
    // Re-reads the main grid; it runs once, at close, after rows were written.
    std::function<void()> refreshMain;
    // The resource text that tells why restore and undo are off, when they are.
    const char* offReason = "Zel.AA.WHINVCONTRAPOSE.HISTORY.unavailable";
};

// The changes of the rows the user may read: when, who, what was done, and each field from its
// old to its new value, newest first. Filtered by a date range, user, field, kind, warehouse and
// item (the history of one row is the list of its warehouse and item); the rows show as they are
// read; a click on a column heading sorts by that column. The list prints, previews and exports
// as the main grid does; chosen value rows or the current row's whole entry can be put back.
class FrmChangeHistory final : public ListWindow {
    Q_OBJECT

public:
    // The most value rows a list holds, the newest: beyond them the window would hold more than
    // a desktop's memory on a long history (the full list is the report's).
    static constexpr std::size_t kMostRows = 100000;
    // The grid's column of each cell of ChangeHistoryCells, after the serial number.
    enum Column : int {
        kWhenColumn = 1,
        kUserColumn,
        kKindColumn,
        kWarehouseCodeColumn,
        kWarehouseNameColumn,
        kInventoryCodeColumn,
        kInventoryNameColumn,
        kFieldColumn,
        kOldValueColumn,
        kNewValueColumn,
    };

    // The scope's warehouse, item and dates fill the filters the window opens with.
    FrmChangeHistory(ComponentContext& context, const ChangeHistoryFilter& scope,
                     ChangeHistoryLinks links = {}, QWidget* parent = nullptr);

    // Reads the list anew from the filters; a newer query or the window's closing stops it part
    // way.
    void Query() override;
    void RestoreSelected();
    // Undoes the entries of the chosen rows, one or several, in one step.
    void UndoSelectedEntries();

    // The value rows of the grid's selection, in the grid's order; each names its entry, row and
    // field.
    std::vector<ChangeHistoryEntry> SelectedValues() const;
    // The entry of the grid's current row; nullopt without one.
    std::optional<long long> CurrentChange() const;
    // The entries of the grid's selection, each once, newest first.
    std::vector<long long> SelectedChanges() const;
    // The filter the filters stand for now.
    ChangeHistoryFilter Filter() const;
    // Lists at most that many rows from the next query on, instead of kMostRows.
    void LimitRows(std::size_t rows) { mostRows_ = rows; }
    // The warehouse the list's print heading names.
    std::string ListedWarehouseHeading() const;

    QCheckBox& FromSet() { return *fromSet_; }
    QDateEdit& From() { return *from_; }
    QCheckBox& ToSet() { return *toSet_; }
    QDateEdit& To() { return *to_; }
    QLineEdit& UserFilter() { return *user_; }
    QComboBox& FieldFilter() { return *field_; }
    QComboBox& KindFilter() { return *kind_; }
    QLineEdit& WarehouseFilter() { return *warehouse_; }
    QLineEdit& InventoryFilter() { return *inventory_; }
    QPushButton& RestoreButton() { return *restore_; }
    QPushButton& UndoButton() { return *undo_; }
    // The rows read, in the grid's order: grid row r shows Rows()[r - 1].
    const std::vector<ChangeHistoryEntry>& Rows() const { return rows_; }

protected:
    std::size_t RowCount() const override { return rows_.size(); }
    std::vector<std::string> CellsOf(std::size_t row) const override;
    PrintSubject Subject() const override;
    void ReorderRows(const std::vector<int>& sequence) override;

private:
    void CreateControls();
    void CreateFilters(QBoxLayout& first, QBoxLayout& second);
    void CreateActions(QHBoxLayout& actions);
    void FillChoices();
    void ShowScope(const ChangeHistoryFilter& scope);
    void UpdateButtons();
    void AfterWrite(bool written);
    const ChangeHistoryEntry* EntryAt(int gridRow) const;

    ChangeHistoryLinks links_;
    bool reading_ = false;
    std::size_t mostRows_ = kMostRows;
    std::vector<ChangeHistoryEntry> rows_;
    // The warehouse code the list was asked for; empty: every warehouse.
    std::string listedWarehouse_;
    ChangeHistoryCaptions captions_;
    QCheckBox* fromSet_ = nullptr;
    QDateEdit* from_ = nullptr;
    QCheckBox* toSet_ = nullptr;
    QDateEdit* to_ = nullptr;
    QLineEdit* user_ = nullptr;
    QComboBox* field_ = nullptr;
    QComboBox* kind_ = nullptr;
    QLineEdit* warehouse_ = nullptr;
    QLineEdit* inventory_ = nullptr;
    QPushButton* restore_ = nullptr;
    QPushButton* undo_ = nullptr;
};

}  // namespace korvel
