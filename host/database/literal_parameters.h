#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zel {

// A query whose quoted texts in its conditions are taken out as parameters:
// "select a from T where c='x' and d>'2024-01-01'" gives "select a from T where c=? and d>?"
// with the texts {"x", "2024-01-01"}. Queries that differ only in such values, such as one per
// item of a batch, or one update per row of a key change, then compile once. Of a select only
// the texts after its own WHERE are taken: before it they may name result columns, which a
// parameter would rename. Of an update or a delete every text is taken.
struct LiteralParameters {
    std::string sql;
    std::vector<std::string> texts;

    // nullopt for a statement that is not a select, update or delete, that has parameters of its
    // own, or that has no such text.
    static std::optional<LiteralParameters> Of(std::string_view sql);
};

}  // namespace zel
