#pragma once

#include <string>
#include <vector>

#include "core/check_cycle.h"
#include "core/field_catalogue.h"

namespace korvel {

// The day texts "1" ... "n" the day box offers for a unit: a text for each check day the unit
// allows, none for a unit without a check day.
std::vector<std::string> CycleDays(CycleUnit unit);
// The weekday name of a day text of a week ("3" -> the third name); "" for other units or texts
// that are no day of a week.
std::string WeekdayTip(const FieldCatalogue& catalogue, CycleUnit unit, const std::string& day);

}  // namespace korvel
