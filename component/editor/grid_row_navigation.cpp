#include "editor/grid_row_navigation.h"

#include <algorithm>
#include <utility>

#include "core/text_case.h"

namespace korvel {

std::optional<RowStep> RowStepOfKey(std::string_view key) {
    constexpr std::pair<std::string_view, RowStep> kSteps[] = {{"First", RowStep::kFirst},
                                                               {"Previous", RowStep::kPrevious},
                                                               {"Next", RowStep::kNext},
                                                               {"Last", RowStep::kLast}};
    for (const auto& [name, step] : kSteps) {
        if (EqualsNoCase(name, key)) {
            return step;
        }
    }
    return std::nullopt;
}

// First and Last set both pairs whatever the row count: a grid of one row still offers Next
// and Last after First, as it always has.
NavigationButtons GridRowNavigation::Step(RowStep step) {
    switch (step) {
        case RowStep::kFirst:
            row_ = 1;
            return {.back = false, .on = true};
        case RowStep::kPrevious:
            row_ = std::max(1, row_ - 1);
            return {.back = row_ > 1, .on = true};
        case RowStep::kNext:
            row_ = std::min(lastRow_, row_ + 1);
            return {.back = true, .on = row_ < lastRow_};
        case RowStep::kLast:
            row_ = lastRow_;
            return {.back = true, .on = false};
    }
    return {};
}

NavigationButtons GridRowNavigation::AtRow() const {
    if (row_ == 1) {
        return {.back = false};
    }
    if (row_ == lastRow_) {
        return {.on = false};
    }
    return {};
}

}  // namespace korvel
