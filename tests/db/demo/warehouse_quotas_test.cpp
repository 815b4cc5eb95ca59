#include "db/demo/warehouse_quotas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace zel::demo {
namespace {

struct QuotaCase {
    std::int64_t rows;
    int warehouses;
    std::int64_t items;
};

TEST(WarehouseQuotas, SharesAddUpAndNoWarehouseNeedsAnItemTwice) {
    const QuotaCase cases[] = {
        {30000, 20, 5000}, {0, 3, 10},          {7, 3, 1},       {400, 4, 10},    {1, 1, 1},
        {199999, 20, 5},   {1000000, 20, 5000}, {250000, 2, 10}, {300000, 1, 10},
    };
    for (const auto& c : cases) {
        const auto plan = WarehouseQuotas::Plan(c.rows, c.warehouses, c.items);
        const auto& rows = plan.Rows();
        SCOPED_TRACE(std::to_string(c.rows) + " rows, " + std::to_string(c.warehouses) +
                     " warehouses");
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(c.warehouses));
        EXPECT_EQ(std::accumulate(rows.begin(), rows.end(), std::int64_t{0}), c.rows);
        EXPECT_GE(plan.Items(), c.items);
        EXPECT_GE(plan.Items(), *std::max_element(rows.begin(), rows.end()));
        EXPECT_GE(*std::min_element(rows.begin(), rows.end()), 0);
    }
}

TEST(WarehouseQuotas, LargeBuildsFillOneWarehouseForTheListBenchmark) {
    for (const std::int64_t rows : {200000, 1000000, 5000000}) {
        const auto plan = WarehouseQuotas::Plan(rows, 20, 5000);
        EXPECT_GE(plan.Rows().front(), WarehouseQuotas::kLargeWarehouseRows) << rows;
    }
    // Below that size the rows are spread evenly.
    const auto small = WarehouseQuotas::Plan(30000, 20, 5000);
    EXPECT_EQ(small.Rows().front(), 1500);
    EXPECT_EQ(small.Rows().back(), 1500);
    EXPECT_EQ(small.Items(), 5000);
}

}  // namespace
}  // namespace zel::demo
