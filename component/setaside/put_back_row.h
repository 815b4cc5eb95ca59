#pragma once

#include "core/correspondence_row.h"
#include "core/field_catalogue.h"
#include "setaside/set_aside_store.h"

namespace korvel {

// The editor's values of a set-aside row: each value that still reads as its field's kind (a
// code, a number, a whole number, a date, a known unit shown as its text); the rest stay unset,
// for the user to give them.
CorrespondenceRow RowToPutBack(const SetAsideRow& kept, const FieldCatalogue& catalogue);

}  // namespace korvel
