#pragma once

#include <string_view>

#include "interfaces/recordset.h"

namespace korvel {

// Among rows whose code or name is the typed text, moves to the one whose code it is, else to
// the first whose name it is. Texts compare as the database compares them (ASCII case and
// trailing blanks ignored), so a row the query found is never lost by the comparison. False,
// at the end of the rows, when no row is picked.
bool MoveToFoundRow(zel::IRecordset& rows, std::string_view codeField, std::string_view nameField,
                    std::string_view text);

}  // namespace korvel
