#include "host/refer/recordset_cursor.h"

#include <algorithm>

namespace zel {

RecordsetCursor::RecordsetCursor(std::shared_ptr<IRecordset> rows)
    : rows_(std::move(rows)), rowCount_(static_cast<int>(std::max(0L, rows_->RecordCount()))) {
    rows_->MoveFirst();
}

void RecordsetCursor::Seek(int row) const {
    if (row < position_) {
        rows_->MoveFirst();
        position_ = 0;
    }
    while (position_ < row && !rows_->Eof()) {
        rows_->MoveNext();
        ++position_;
    }
}

Variant RecordsetCursor::Value(int row, int column) const {
    if (row < 0 || row >= rowCount_) {
        return {};
    }
    Seek(row);
    return rows_->Fields(column).value_or(Variant());
}

}  // namespace zel
