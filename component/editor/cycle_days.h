#pragma once

#include <string>
#include <vector>

#include "core/field_catalogue.h"

namespace korvel {

// List positions of the check-cycle units.
enum CycleUnit : int { kUnitNone = -1, kUnitDay = 0, kUnitWeek = 1, kUnitMonth = 2 };

// The day texts "1" ... "n" a unit offers: 7 for a week, 31 for a month, none otherwise.
std::vector<std::string> CycleDays(int unit);
// The weekday name of a day text of a week ("3" -> the third name); "" for other units or texts
// that are no day of a week.
std::string WeekdayTip(const FieldCatalogue& catalogue, int unit, const std::string& day);

}  // namespace korvel
