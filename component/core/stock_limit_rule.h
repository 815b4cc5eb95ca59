#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "core/correspondence_fields.h"

namespace korvel {

// The one rule for the stock limits of a correspondence row, read by every window that writes
// them: the editor checks the row it saves, multi-record modify leaves out the rows a new value
// would break and refuses a loss rate outside the range.
//
// A limit that is not set never blocks. No database constraint holds the rule, since files
// written before it may hold rows that break it.

// The lower limit of each pair never lies above the upper one.
struct LimitOrder {
    const CorrespondenceField* lower;
    const CorrespondenceField* upper;
};
inline constexpr LimitOrder kLimitOrders[] = {
    {&Field("iLowSum"), &Field("iTopSum")},
    {&Field("iSafeNum"), &Field("iTopSum")},
    {&Field("iLowSum"), &Field("iSafeNum")},
};
// Refused order: "%1 may not exceed %2", with the captions of the lower and the upper limit.
inline constexpr const char* kLimitOrderMessage = "Zel.AA.WHINVCONTRAPOSE.LIMIT.order";

// The loss rate, a percentage, lies above 0 and at most 100.
inline constexpr const CorrespondenceField& kLossRate = Field("iWastage");
inline constexpr double kHighestLossRate = 100;

// The number a limit's text holds, blanks around it and a leading "+" aside, read the same in
// every locale; nullopt for an empty text or one that is no number.
std::optional<double> LimitNumber(std::string_view text);

// The first order the limits break; value gives a limit, nullopt when it is not set.
const LimitOrder* BrokenLimitOrder(
    const std::function<std::optional<double>(const CorrespondenceField&)>& value);

// The resource key that refuses the loss rate, nullptr when the rate is allowed.
const char* LossRateRefusal(double rate);

}  // namespace korvel
