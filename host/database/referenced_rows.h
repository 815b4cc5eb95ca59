#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/database/column_catalogue.h"
#include "host/database/sql_backend.h"
#include "interfaces/variant.h"

namespace zel {

// A code a record names through one of its table's references.
struct NamedRow {
    const ColumnCatalogue::Reference* reference;
    std::string code;
};

// What the rows a record names tell, read in one statement: one statement instead of one per
// reference matters on a server, where each is a round trip. The writer's administrator flag
// (aa_user.bAdmin, Null without a user row) comes with them, for the rights check.
struct ReferencedRows {
    // Per named row, in order: the code as the referenced row spells it ("r&d-01" names
    // "R&D-01"), nullopt when there is no such row.
    std::vector<std::optional<std::string>> spelt;
    // Per named row: false for an item past its end date on the business date.
    std::vector<bool> inUse;
    Variant administratorFlag;

    // businessDate: yyyy-mm-dd, nullopt when unknown.
    static ReferencedRows Read(SqlBackend& backend, const std::vector<NamedRow>& named,
                               const std::string& user,
                               const std::optional<std::string>& businessDate);
};

}  // namespace zel
