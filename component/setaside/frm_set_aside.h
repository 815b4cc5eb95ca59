#pragma once

#include <functional>
#include <vector>

#include "core/component_context.h"
#include "mainwindow/list_window.h"
#include "setaside/set_aside_store.h"

namespace korvel {

// Opens the record editor to add a set-aside row again, filled with what still reads of it, and
// returns when the editor has closed: true when the editor saved it.
using PutBackInEditor = std::function<bool(const SetAsideRow& row)>;

// The correspondence rows an upgrade set aside that the user may read, each with its reason in
// words and when it was set aside, then its values as they were kept. The list prints and exports
// as the main grid does; a row chosen and put back goes through the record editor, whose rules
// decide, and leaves the list once saved.
class FrmSetAside final : public ListWindow {
    Q_OBJECT

public:
    FrmSetAside(ComponentContext& context, std::function<void()> refreshMain,
                PutBackInEditor putBack, QWidget* parent = nullptr);

    void Query() override;
    // Puts the grid's current row back through the editor.
    void PutBackCurrentRow();
    // The rows read, in the grid's order.
    const std::vector<SetAsideRow>& Rows() const { return rows_; }

protected:
    std::size_t RowCount() const override { return rows_.size(); }
    std::vector<std::string> CellsOf(std::size_t row) const override;
    PrintSubject Subject() const override;
    void ReorderRows(const std::vector<int>& sequence) override {
        ReorderBySequence(rows_, sequence);
    }

private:
    void CreateControls();
    std::vector<std::string> Captions() const;
    void ShowFailure(const std::string& key);

    SetAsideStore store_;
    PutBackInEditor putBack_;
    std::vector<SetAsideRow> rows_;
};

}  // namespace korvel
