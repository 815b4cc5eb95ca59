#pragma once

#include <optional>
#include <string>

namespace zel::demo {

// The stock limits and stock-check cycle that an inventory item carries for itself and that
// every correspondence row carries for the item in one warehouse. Empty means NULL.
struct StockSettings {
    std::optional<double> iTopSum;
    std::optional<double> iLowSum;
    std::optional<double> iSafeNum;
    std::optional<double> iWastage;
    std::optional<int> iFrequency;
    std::optional<std::string> cFrequency;
    std::optional<int> iDays;
    std::optional<std::string> dLastDate;
};

}  // namespace zel::demo
