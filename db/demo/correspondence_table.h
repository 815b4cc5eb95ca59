#pragma once

#include <optional>
#include <string>

#include "db/demo/sqlite_statement.h"
#include "db/demo/stock_settings.h"

namespace zel::demo {

// Inserts WhInvContrapose rows through one prepared statement.
class CorrespondenceTable {
public:
    explicit CorrespondenceTable(SqliteConnection& connection);

    bool Prepared() const { return insert_.Prepared(); }
    bool Insert(const std::string& warehouse, const std::string& item,
                const StockSettings& settings, const std::optional<std::string>& person);

private:
    SqliteStatement insert_;
};

}  // namespace zel::demo
