#pragma once

#include "db/demo/demo_random.h"
#include "db/demo/stock_settings.h"

namespace zel::demo {

// Draws plausible settings: lowest <= safety <= highest whenever two of them are present, and a
// day within the cycle only for the units that have one (weekday 1-7, day of month 1-31).
class StockSettingsFactory {
public:
    static constexpr const char* kDay = "天";
    static constexpr const char* kWeek = "周";
    static constexpr const char* kMonth = "月";

    // stockScale: a typical highest stock of the item in its main unit.
    static StockSettings Make(DemoRandom& random, int stockScale);

private:
    static void DrawLimits(DemoRandom& random, int stockScale, StockSettings& settings);
    static void DrawCycle(DemoRandom& random, StockSettings& settings);
};

}  // namespace zel::demo
