#pragma once

#include <memory>
#include <vector>

#include "host/objects/held_rows_recordset.h"
#include "host/refer/recordset_cursor.h"

namespace zel {

// The rows a user picked, copied out of the item query with every column, its name, its
// declared size and each value's type, so that they outlive the picker and its query.
std::shared_ptr<HeldRowsRecordset> ChosenRows(const RecordsetCursor& source,
                                              const std::vector<int>& rows);

}  // namespace zel
