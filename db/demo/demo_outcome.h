#pragma once

#include <cstdint>
#include <string>

namespace zel::demo {

enum class DemoFailure { None, BadSize, TargetExists, CannotCreate, CodingRule, Write };

struct DemoSummary {
    int warehouses = 0;
    int classes = 0;
    std::int64_t items = 0;
    std::int64_t rows = 0;
};

// The result of one build; detail is the file, the database's reason or the coding rule.
struct DemoOutcome {
    DemoFailure failure = DemoFailure::None;
    std::string detail;
    DemoSummary summary;

    bool Ok() const { return failure == DemoFailure::None; }
};

}  // namespace zel::demo
