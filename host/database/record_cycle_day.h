#pragma once

#include <map>
#include <string>

#include "host/database/column_catalogue.h"
#include "interfaces/variant.h"

namespace zel {

// The check day of a record that carries its check cycle whole. The schema refuses a day that
// does not fit the unit, but must let a day stand without a unit, for the writers that set one
// column per statement; and it cannot clear a stored day itself (SQLite checks a row before any
// trigger could change it). So, for a record only:
// - one that names a unit without days (day, or none) and no day clears the stored day, as the
//   editor sends no day for such a unit;
// - one that names a day together with no unit at all is refused.
// A table without a check cycle is left alone. texts: the columns the record names; values: the
// values to store for them.
bool ApplyRecordCycleDay(const ColumnCatalogue::Table& table,
                         const std::map<std::string, std::string>& texts,
                         std::map<std::string, Variant>& values, std::string& message);

}  // namespace zel
