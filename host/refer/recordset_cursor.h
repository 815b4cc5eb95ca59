#pragma once

#include <memory>

#include "interfaces/recordset.h"
#include "interfaces/variant.h"

namespace zel {

// Reads a static recordset by row number, though the recordset itself only moves forward from
// its first row: the cursor remembers where the recordset stands, so that reading rows in
// order, as a view paints them and a filter walks them, costs one step per row. It must be the
// only one to move the recordset.
class RecordsetCursor {
public:
    explicit RecordsetCursor(std::shared_ptr<IRecordset> rows);

    int RowCount() const { return rowCount_; }
    const IRecordset& Recordset() const { return *rows_; }
    // Null for a row or column the recordset does not have.
    Variant Value(int row, int column) const;

private:
    void Seek(int row) const;

    std::shared_ptr<IRecordset> rows_;
    int rowCount_;
    mutable int position_ = 0;
};

}  // namespace zel
