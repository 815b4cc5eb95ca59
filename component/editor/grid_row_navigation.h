#pragma once

#include <optional>
#include <string_view>

namespace korvel {

enum class RowStep { kFirst, kPrevious, kNext, kLast };

// "First", "Previous", "Next" or "Last", in any letter case; nullopt for any other key.
std::optional<RowStep> RowStepOfKey(std::string_view key);

// The states of the buttons that go back (First, Previous) and on (Next, Last); nullopt leaves
// a pair as it is.
struct NavigationButtons {
    std::optional<bool> back = std::nullopt;
    std::optional<bool> on = std::nullopt;

    bool operator==(const NavigationButtons&) const = default;
};

// Moves through the data rows 1..lastRow of a grid whose row 0 is the header.
class GridRowNavigation {
public:
    GridRowNavigation(int row, int lastRow) : row_(row), lastRow_(lastRow) {}

    int Row() const { return row_; }
    // Moves, never past either end, and says how the buttons stand after the step.
    NavigationButtons Step(RowStep step);
    // A row shown on its own only turns off the way it cannot go: the first row back, the last
    // row on.
    NavigationButtons AtRow() const;

private:
    int row_;
    int lastRow_;
};

}  // namespace korvel
