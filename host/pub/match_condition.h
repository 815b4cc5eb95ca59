#pragma once

#include <string>
#include <string_view>

namespace zel {

// The condition a reference picker's query uses to show the rows that contain the typed text in
// any of the fields (comma separated), each field qualified with table when one is given:
//   (Inventory.cInvCode like '%A1%' escape '!' or Inventory.cInvName like '%A1%' escape '!')
// The text is trimmed; its apostrophes are doubled and the pattern characters % _ [ and the
// escape character itself are escaped, so that it matches only as typed. "1=1" when the text is
// blank or no field is usable. Names that are not plain SQL names are never put into the text.
std::string MatchCondition(std::string_view text, std::string_view fields, std::string_view table);

}  // namespace zel
