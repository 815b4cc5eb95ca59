#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace korvel::test {

// One change to a correspondence row's stock limits and whether the stock-limit rule lets it
// stand. Both windows that write limits run these cases: the editor saves the changed row, and
// multi-record modify sets the column on the stored row.
struct StockLimitCase {
    const char* name;
    // The row as stored before the change: column and value; a column not listed is not set.
    std::vector<std::pair<const char*, double>> stored;
    const char* column;
    const char* value;
    bool allowed;
    // The refusal's resource key and its values as column names (captions in the message);
    // empty for a refusal without its own message (multi-record modify leaves the row out).
    const char* refusalKey = "";
    std::vector<const char*> refusalColumns = {};
};

inline const std::vector<StockLimitCase>& StockLimitCases() {
    static const std::vector<StockLimitCase> cases = {
        {"HighestEqualToLowest", {{"iLowSum", 10}, {"iTopSum", 100}}, "iTopSum", "10", true},
        {"HighestBelowLowest",
         {{"iLowSum", 10}, {"iTopSum", 100}},
         "iTopSum",
         "9",
         false,
         "Zel.AA.WHINVCONTRAPOSE.LIMIT.order",
         {"iLowSum", "iTopSum"}},
        {"LowestAboveHighest",
         {{"iTopSum", 10}},
         "iLowSum",
         "99999",
         false,
         "Zel.AA.WHINVCONTRAPOSE.LIMIT.order",
         {"iLowSum", "iTopSum"}},
        {"LowestAboveSafety",
         {{"iSafeNum", 20}, {"iTopSum", 100}},
         "iLowSum",
         "30",
         false,
         "Zel.AA.WHINVCONTRAPOSE.LIMIT.order",
         {"iLowSum", "iSafeNum"}},
        {"SafetyBetweenTheLimits", {{"iLowSum", 10}, {"iTopSum", 100}}, "iSafeNum", "50", true},
        {"SafetyBelowLowest",
         {{"iLowSum", 10}, {"iTopSum", 100}},
         "iSafeNum",
         "5",
         false,
         "Zel.AA.WHINVCONTRAPOSE.LIMIT.order",
         {"iLowSum", "iSafeNum"}},
        {"SafetyAboveHighest",
         {{"iLowSum", 10}, {"iTopSum", 100}},
         "iSafeNum",
         "150",
         false,
         "Zel.AA.WHINVCONTRAPOSE.LIMIT.order",
         {"iSafeNum", "iTopSum"}},
        {"AnUnsetHighestNeverBlocks", {{"iLowSum", 10}}, "iSafeNum", "500", true},
        {"LossRateWithinTheRange", {}, "iWastage", "2.5", true},
        {"LossRateOfAHundred", {}, "iWastage", "100", true},
        {"NegativeLossRate", {}, "iWastage", "-5", false, "Zel.AA.WHINVCONTRAPOSE.FRMADDINV.551_1"},
        {"ZeroLossRate", {}, "iWastage", "0", false, "Zel.AA.WHINVCONTRAPOSE.FRMADDINV.551_1"},
        {"LossRateAboveAHundred",
         {},
         "iWastage",
         "100.5",
         false,
         "Zel.AA.WHINVCONTRAPOSE.LIMIT.wastage_above"},
    };
    return cases;
}

}  // namespace korvel::test
