#pragma once

#include <optional>
#include <string>

#include "db/demo/batched_insert.h"
#include "db/demo/stock_settings.h"
#include "host/database/sql_backend.h"

namespace zel::demo {

// Inserts WhInvContrapose rows, rowsPerStatement of them in one statement; Flush() sends the last
// ones.
class CorrespondenceTable {
public:
    explicit CorrespondenceTable(SqlBackend& backend, int rowsPerStatement = 1);

    bool Insert(const std::string& warehouse, const std::string& item,
                const StockSettings& settings, const std::optional<std::string>& person);
    bool Flush() { return insert_.Flush(); }

private:
    BatchedInsert insert_;
};

}  // namespace zel::demo
