#pragma once

#include "db/demo/batched_insert.h"
#include "db/demo/demo_item.h"
#include "host/database/sql_backend.h"

namespace zel::demo {

// Inserts inventory items, rowsPerStatement of them in one statement; Flush() sends the last
// ones.
class InventoryTable {
public:
    explicit InventoryTable(SqlBackend& backend, int rowsPerStatement = 1);

    bool Insert(const DemoItem& item);
    bool Flush() { return insert_.Flush(); }

private:
    BatchedInsert insert_;
};

}  // namespace zel::demo
