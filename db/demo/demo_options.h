#pragma once

#include <cstdint>
#include <string>

namespace zel::demo {

// What to build; the defaults make a desk-sized account.
struct DemoOptions {
    std::string output;
    std::int64_t rows = 30000;
    std::int64_t items = 5000;
    int warehouses = 20;
    std::uint64_t seed = 1;
    bool force = false;
};

}  // namespace zel::demo
