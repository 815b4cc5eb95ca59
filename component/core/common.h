#pragma once

#include <string>
#include <string_view>

#include "core/component_context.h"
#include "interfaces/pub.h"
#include "interfaces/recordset.h"

namespace korvel {

// Modal box with the information icon under the host's information title.
void ShowInfoMessage(zel::IPub& pub, const std::string& text);

// The unit-group and unit joins for the one field-list key that needs them; otherwise "".
std::string JoinClauseFor(std::string_view fieldListKey);

// Reads the account's quantity decimals and builds the quantity style from them. The style is
// always set afterwards, with 2 decimals when the account gives no usable number.
void LoadQuantityStyle(ComponentContext& context);

// Restricts the recordset to the rows matching the condition; false when the recordset refuses
// the condition (it then still holds every row).
bool FilterRecordset(zel::IRecordset& recordset, std::string_view condition);

}  // namespace korvel
