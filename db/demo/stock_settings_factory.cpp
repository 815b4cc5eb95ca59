#include "db/demo/stock_settings_factory.h"

#include <algorithm>
#include <array>

namespace zel::demo {
namespace {

using namespace std::chrono;

double Hundredths(std::int64_t value) {
    return static_cast<double>(value) / 100.0;
}

std::optional<double> Sometimes(DemoRandom& random, int percent, double value) {
    return random.Percent(percent) ? std::optional<double>(value) : std::nullopt;
}

}  // namespace

StockSettings StockSettingsFactory::Make(DemoRandom& random, int stockScale) {
    StockSettings settings;
    DrawLimits(random, stockScale, settings);
    DrawCycle(random, settings);
    if (random.Percent(70)) {
        settings.dLastDate = random.Date(2023y / January / 1, 2024y / December / 31);
    }
    return settings;
}

void StockSettingsFactory::DrawLimits(DemoRandom& random, int stockScale, StockSettings& settings) {
    if (random.Percent(85)) {
        // Quantities in hundredths: whole numbers mostly, as storekeepers set them.
        const std::int64_t step = random.Percent(80) ? 100 : 1;
        const auto rounded = [step](std::int64_t value) { return value / step * step; };
        const std::int64_t top = random.Between(std::max(1, stockScale / 2), stockScale * 2) * 100;
        const std::int64_t safe = rounded(random.Between(top / 10, top / 3));
        const std::int64_t low = rounded(random.Between(0, safe / 2));
        settings.iTopSum = Sometimes(random, 95, Hundredths(top));
        settings.iSafeNum = Sometimes(random, 90, Hundredths(safe));
        settings.iLowSum = Sometimes(random, 90, Hundredths(low));
    }
    if (random.Percent(60)) {
        // A loss rate, once set, is above zero: the editor refuses to save a row with 0.
        settings.iWastage = Hundredths(random.Between(1, 500));
    }
}

void StockSettingsFactory::DrawCycle(DemoRandom& random, StockSettings& settings) {
    if (!random.Percent(75)) {
        return;
    }
    const auto unit = random.Between(0, 99);
    if (unit < 20) {
        settings.cFrequency = kDay;
        settings.iFrequency = static_cast<int>(random.Between(1, 30));
    } else if (unit < 55) {
        settings.cFrequency = kWeek;
        settings.iFrequency = static_cast<int>(random.Between(1, 4));
        settings.iDays = static_cast<int>(random.Between(1, 7));
    } else {
        static constexpr std::array kMonths{1, 1, 1, 2, 3, 6, 12};
        settings.cFrequency = kMonth;
        settings.iFrequency = kMonths[random.Index(kMonths.size())];
        settings.iDays = static_cast<int>(random.Between(1, 31));
    }
}

}  // namespace zel::demo
