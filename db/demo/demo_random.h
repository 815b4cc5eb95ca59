#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace zel::demo {

// A small generator of our own (xoshiro256**): the standard distributions differ between
// library vendors, and a given seed must build the same database everywhere.
class DemoRandom {
public:
    explicit DemoRandom(std::uint64_t seed);

    std::uint64_t Next();
    // Uniform in [low, high]; low when high < low.
    std::int64_t Between(std::int64_t low, std::int64_t high);
    std::size_t Index(std::size_t count);
    bool Percent(int percent);
    // A day between first and last (both included) as yyyy-mm-dd.
    std::string Date(std::chrono::year_month_day first, std::chrono::year_month_day last);

private:
    std::uint64_t state_[4];
};

}  // namespace zel::demo
