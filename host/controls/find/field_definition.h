#pragma once

#include <string>
#include <vector>

#include "host/controls/find/find_field.h"

namespace zel {

class IRecordset;

// A field of a multi-record modify definition, with what its value box needs.
struct DefinedField {
    // name and source: the element's tag ("whinvcontrapose.iTopSum"); caption: showfldname;
    // choices: the display values of enumval.
    FindField find;
    bool reference = false;   // its code is chosen through the reference picker
    bool modifiable = false;  // it may be changed in bulk
};

// The fields of a definition such as <t><t.cCode showfldname='x' reftype='ref' bmulmodify='1'/>
// </t>, in the definition's order, or the message why it cannot be used.
struct FieldDefinition {
    std::vector<DefinedField> fields;
    std::string message;  // the resource text for the user when the definition is refused

    // Kinds by reftype: 'decdgt' a number, 'date' a date, 'enum' a text of fixed values, 'ref'
    // and anything else a text; '' a number when the column appears in columns and the host's
    // naming rule makes it one (the result's fields carry no type of their own). Refused when
    // the text is not well-formed XML or no field may be changed in bulk.
    static FieldDefinition Read(const std::string& xml, const IRecordset* columns);

    bool ok() const { return message.empty(); }
    std::vector<FindField> FindFields() const;
};

}  // namespace zel
