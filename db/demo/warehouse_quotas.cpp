#include "db/demo/warehouse_quotas.h"

#include <algorithm>

namespace zel::demo {
namespace {

void Spread(std::int64_t rows, std::vector<std::int64_t>::iterator first,
            std::vector<std::int64_t>::iterator last) {
    const auto count = static_cast<std::int64_t>(last - first);
    for (std::int64_t i = 0; first != last; ++first, ++i) {
        *first = rows / count + (i < rows % count ? 1 : 0);
    }
}

}  // namespace

WarehouseQuotas WarehouseQuotas::Plan(std::int64_t rows, int warehouses, std::int64_t items) {
    WarehouseQuotas plan;
    plan.rows_.assign(static_cast<std::size_t>(std::max(warehouses, 1)), 0);
    const auto count = static_cast<std::int64_t>(plan.rows_.size());
    if (rows >= kLargeTotalRows && count > 1 && rows / count < kLargeWarehouseRows) {
        plan.rows_.front() = kLargeWarehouseRows;
        Spread(rows - kLargeWarehouseRows, plan.rows_.begin() + 1, plan.rows_.end());
    } else {
        Spread(rows, plan.rows_.begin(), plan.rows_.end());
    }
    plan.items_ =
        std::max({items, *std::max_element(plan.rows_.begin(), plan.rows_.end()), std::int64_t{1}});
    return plan;
}

}  // namespace zel::demo
