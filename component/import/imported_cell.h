#pragma once

#include <string>
#include <string_view>

#include "core/correspondence_field.h"
#include "core/field_catalogue.h"
#include "import/import_known_codes.h"

namespace korvel {

// A cell of an imported field in the form the record editor saves it: numbers exactly as
// written (see ExactNumber, never through a binary fraction and never rounded), whole numbers
// only whole, dates as yyyy-mm-dd from any form the host's date rule reads (a time of day that a
// spreadsheet adds is dropped), the cycle unit as its code from its list text or its code, the
// storekeeper as the code of the person the code or the only person of the name names. A blank
// cell clears the field ("").
struct ImportedCell {
    std::string value;
    // The resource key of the refusal ("%1" the column's header, "%2" the cell); nullptr when
    // the cell reads.
    const char* refusal = nullptr;
    // The person the cell names, for the write right; nullptr for other fields.
    const KnownCode* person = nullptr;
};

// A cell as a message quotes it: a long one cut short (at a character's start) and marked so,
// since a file may hold a megabyte in a cell.
std::string CellForMessage(std::string_view cell);

ImportedCell ReadImportedCell(const CorrespondenceField& field, std::string_view cell,
                              const FieldCatalogue& catalogue, const ImportKnownCodes& known);

}  // namespace korvel
