#include "db/demo/demo_random.h"

#include <cstdio>

namespace zel::demo {
namespace {

std::uint64_t SplitMix(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

std::uint64_t RotateLeft(std::uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

}  // namespace

DemoRandom::DemoRandom(std::uint64_t seed) {
    for (auto& word : state_) {
        word = SplitMix(seed);
    }
}

std::uint64_t DemoRandom::Next() {
    const std::uint64_t result = RotateLeft(state_[1] * 5, 7) * 9;
    const std::uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = RotateLeft(state_[3], 45);
    return result;
}

std::int64_t DemoRandom::Between(std::int64_t low, std::int64_t high) {
    if (high <= low) {
        return low;
    }
    const auto span = static_cast<std::uint64_t>(high - low) + 1;
    return low + static_cast<std::int64_t>(Next() % span);
}

std::size_t DemoRandom::Index(std::size_t count) {
    return count == 0 ? 0 : static_cast<std::size_t>(Next() % count);
}

bool DemoRandom::Percent(int percent) {
    return static_cast<int>(Next() % 100) < percent;
}

std::string DemoRandom::Date(std::chrono::year_month_day first, std::chrono::year_month_day last) {
    const auto from = std::chrono::sys_days(first).time_since_epoch().count();
    const auto to = std::chrono::sys_days(last).time_since_epoch().count();
    const std::chrono::year_month_day day{
        std::chrono::sys_days(std::chrono::days(Between(from, to)))};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(day.year()),
                  static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
    return text;
}

}  // namespace zel::demo
