#pragma once

#include <cstdint>
#include <vector>

#include "db/demo/demo_catalogue.h"
#include "db/demo/demo_class_tree.h"
#include "db/demo/demo_item.h"
#include "db/demo/demo_random.h"

namespace zel::demo {

// Makes the inventory items one after the other: codes are the class code and a serial within
// the class, so items sort by class as the class tree lists them. The first item is the one
// with the apostrophe in its code.
class DemoItemFactory {
public:
    // Every item whose number leaves this remainder by 100 has an end date in the past.
    static constexpr std::int64_t kEndedEvery = 100;
    static constexpr std::int64_t kEndedRemainder = 37;

    DemoItemFactory(const DemoClassTree& classes, const std::vector<DemoWarehouse>& warehouses,
                    std::int64_t count);

    DemoItem Make(DemoRandom& random);

private:
    DemoItem Special(const DemoClassTree::Leaf& leaf) const;
    void DrawDates(DemoRandom& random, DemoItem& item) const;
    std::string NextCode(std::size_t leafIndex);

    const DemoClassTree& classes_;
    const std::vector<DemoWarehouse>& warehouses_;
    std::size_t serialWidth_;
    std::vector<std::int64_t> serials_;
    std::int64_t made_ = 0;
};

}  // namespace zel::demo
