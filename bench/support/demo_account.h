// A demo account file for a benchmark, filled by the demo data generator.
#pragma once

#include <cstdint>
#include <string>

#include "db/demo/demo_data_generator.h"
#include "demo_main_window.h"

namespace bench {

// Builds the account at path: rows correspondence rows of items items over warehouses
// warehouses. Ends the benchmark when it cannot.
inline void BuildDemoAccount(const std::string& path, std::int64_t rows, std::int64_t items,
                             int warehouses) {
    zel::demo::DemoOptions options;
    options.output = path;
    options.rows = rows;
    options.items = items;
    options.warehouses = warehouses;
    const zel::demo::DemoOutcome outcome = zel::demo::DemoDataGenerator(options).Generate();
    if (!outcome.Ok()) {
        Fail("cannot build the account database: " + outcome.detail);
    }
}

}  // namespace bench
