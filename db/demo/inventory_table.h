#pragma once

#include "db/demo/demo_item.h"
#include "db/demo/sqlite_statement.h"

namespace zel::demo {

// Inserts inventory items through one prepared statement.
class InventoryTable {
public:
    explicit InventoryTable(SqliteConnection& connection);

    bool Prepared() const { return insert_.Prepared(); }
    bool Insert(const DemoItem& item);

private:
    SqliteStatement insert_;
};

}  // namespace zel::demo
