#pragma once

#include <memory>

#include "db/demo/demo_item.h"
#include "host/database/sql_backend.h"

namespace zel::demo {

// Inserts inventory items through one prepared statement.
class InventoryTable {
public:
    explicit InventoryTable(SqlBackend& backend);

    bool Prepared() const { return insert_ != nullptr; }
    bool Insert(const DemoItem& item);

private:
    std::unique_ptr<SqlStatement> insert_;
};

}  // namespace zel::demo
