#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "host/database/sql_backend.h"
#include "interfaces/variant.h"

namespace zel {

// The first column of the first row of a query run with bound values. A check that grants
// something must tell a failed query (read false) from one that found no row (value nullopt).
struct SingleValue {
    bool read = false;
    std::optional<Variant> value;
};

SingleValue ReadSingleValue(SqlBackend& backend, std::string_view sql,
                            const std::vector<Variant>& values);

}  // namespace zel
