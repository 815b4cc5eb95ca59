#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "checkplan/due_checks.h"
#include "core/component_context.h"
#include "host/controls/flex_grid.h"

class QDateEdit;
class QLineEdit;
class QPushButton;

namespace korvel {

// The rows due for a stock check on or before a date, across the warehouses and items the user
// may read, optionally of one warehouse or storekeeper; the rows chosen in the grid can be marked
// counted today.
class FrmDueChecks final : public QDialog {
    Q_OBJECT

public:
    // mainRefresh re-reads the main window's grid; it runs once, at close, after a change.
    FrmDueChecks(ComponentContext& context, std::function<void()> mainRefresh,
                 QWidget* parent = nullptr);

    void Query();
    // Marks the grid's chosen rows under the edit lock; a refused lock changes nothing.
    void CountedToday();

    zel::FlexGrid& Grid() { return *grid_; }
    QDateEdit& AsOf() { return *asOf_; }
    QLineEdit& WarehouseFilter() { return *warehouse_; }
    QLineEdit& StorekeeperFilter() { return *storekeeper_; }
    const std::vector<DueCheck>& Rows() const { return rows_; }

protected:
    void done(int result) override;

private:
    void CreateControls();
    void ShowRows();
    std::string Text(const char* key) const;

    ComponentContext& context_;
    std::function<void()> mainRefresh_;
    bool changed_ = false;
    std::vector<DueCheck> rows_;
    QDateEdit* asOf_ = nullptr;
    QLineEdit* warehouse_ = nullptr;
    QLineEdit* storekeeper_ = nullptr;
    zel::FlexGrid* grid_ = nullptr;
};

}  // namespace korvel
