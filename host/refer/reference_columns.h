#pragma once

#include <vector>

#include "host/refer/reference_kind.h"
#include "interfaces/recordset.h"

namespace zel {

// The columns a picker shows of its item query, as recordset column numbers: the code and the
// name first, then the others in query order, internal row ids left out, at most kMaxShown so
// that a "select *" of a wide table stays readable.
constexpr int kMaxShownColumns = 8;
std::vector<int> ShownColumns(const IRecordset& items, const ReferenceKind& kind);

}  // namespace zel
