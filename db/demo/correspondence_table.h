#pragma once

#include <memory>
#include <optional>
#include <string>

#include "db/demo/stock_settings.h"
#include "host/database/sql_backend.h"

namespace zel::demo {

// Inserts WhInvContrapose rows through one prepared statement.
class CorrespondenceTable {
public:
    explicit CorrespondenceTable(SqlBackend& backend);

    bool Prepared() const { return insert_ != nullptr; }
    bool Insert(const std::string& warehouse, const std::string& item,
                const StockSettings& settings, const std::optional<std::string>& person);

private:
    std::unique_ptr<SqlStatement> insert_;
};

}  // namespace zel::demo
