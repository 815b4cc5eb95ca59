#pragma once

#include <string>

#include "interfaces/recordset.h"
#include "mulmodify/modifiable_field.h"
#include "mulmodify/modify_scope.h"

namespace korvel {

// Changes a key field (warehouse or inventory code) of the matching rows one by one: a row whose
// new pair would collide, or that the database refuses, goes to a failure report and the others
// still change. False when the field is no key field (nothing done); true when handled here,
// with the result told to the user and the report shown when a row failed.
bool ModifyByRow(ModifyScope& scope, zel::IRecordset& rows, const std::string& caption,
                 const ModifiableField& field, const std::string& fieldAsDelivered,
                 const std::string& value);

}  // namespace korvel
