#pragma once

#include <cstdint>
#include <vector>

namespace zel::demo {

// How many correspondence rows each warehouse gets, and how many inventory items are needed so
// that no warehouse holds an item twice.
class WarehouseQuotas {
public:
    // With this many rows or more, the first warehouse holds at least kLargeWarehouseRows,
    // the size the list benchmarks fill one warehouse with.
    static constexpr std::int64_t kLargeWarehouseRows = 100000;
    static constexpr std::int64_t kLargeTotalRows = 2 * kLargeWarehouseRows;

    // warehouses must be at least 1.
    static WarehouseQuotas Plan(std::int64_t rows, int warehouses, std::int64_t items);

    const std::vector<std::int64_t>& Rows() const { return rows_; }
    std::int64_t Items() const { return items_; }

private:
    std::vector<std::int64_t> rows_;
    std::int64_t items_ = 0;
};

}  // namespace zel::demo
