#pragma once

#include <string>
#include <vector>

#include "interfaces/pub.h"
#include "setaside/set_aside_store.h"

namespace korvel {

// A rule's name in the user's words; the name itself for a rule without words.
std::string SetAsideReasonInWords(zel::IPub& pub, const std::string& reason);

// What the user is told once after an upgrade set rows aside: how many (untold, of every table),
// how many for each reason among the correspondence rows, and the rest as rows of other tables.
std::string SetAsideNoticeText(zel::IPub& pub, long untold, const std::vector<SetAsideRow>& rows);

}  // namespace korvel
