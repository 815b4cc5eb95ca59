#include "core/stock_limit_rule.h"

#include <charconv>

#include "core/blank_trim.h"

namespace korvel {

std::optional<double> LimitNumber(std::string_view text) {
    std::string_view number = TrimmedBlanks(text);
    if (number.starts_with('+')) {
        number.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (number.empty() || error != std::errc() || end != number.data() + number.size()) {
        return std::nullopt;
    }
    return value;
}

const LimitOrder* BrokenLimitOrder(
    const std::function<std::optional<double>(const CorrespondenceField&)>& value) {
    for (const LimitOrder& order : kLimitOrders) {
        const auto lower = value(*order.lower);
        const auto upper = value(*order.upper);
        if (lower && upper && *lower > *upper) {
            return &order;
        }
    }
    return nullptr;
}

const char* LossRateRefusal(double rate) {
    // The editor has always told a rate of zero with this text; it says "above zero".
    if (!(rate > 0)) {
        return "Zel.AA.WHINVCONTRAPOSE.FRMADDINV.551_1";
    }
    if (rate > kHighestLossRate) {
        return "Zel.AA.WHINVCONTRAPOSE.LIMIT.wastage_above";
    }
    return nullptr;
}

}  // namespace korvel
