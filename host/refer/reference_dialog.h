#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "host/refer/column_captions.h"
#include "host/refer/recordset_cursor.h"
#include "host/refer/reference_kind.h"
#include "interfaces/recordset.h"

class QLineEdit;
class QTableView;

namespace zel {

class ReferenceClassTree;
class ReferenceItemModel;

// The picker window: a filter box over the items, for inventory items the class tree beside
// them. Typing filters at once and makes the first match current; Enter or a double-click takes
// the current row, Esc cancels. Its parts carry the object names "filter", "items" and
// "classes", by which a test script drives them.
class ReferenceDialog final : public QDialog {
    Q_OBJECT

public:
    // classes: the class rows, or nullptr for a picker without classes. The column headers are
    // the captions' texts of the item query's columns.
    ReferenceDialog(const ReferenceKind& kind, std::shared_ptr<const RecordsetCursor> items,
                    IRecordset* classes, bool multiSelect, const ColumnCaptions& captions = {},
                    QWidget* parent = nullptr);

    // The recordset rows the user took, in query order: the selected rows of a multiple choice,
    // else the current row; empty when none is.
    std::vector<int> ChosenRows() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* MakeItemPane(bool multiSelect);
    void ApplyFilter();

    QLineEdit* filter_ = nullptr;
    QTableView* items_ = nullptr;
    ReferenceItemModel* model_ = nullptr;
    ReferenceClassTree* classes_ = nullptr;
};

}  // namespace zel
