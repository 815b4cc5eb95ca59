#include "db/demo/demo_item_factory.h"

#include <algorithm>

#include "db/demo/stock_settings_factory.h"

namespace zel::demo {
namespace {

using namespace std::chrono;

std::string Digits(DemoRandom& random, int count) {
    std::string digits;
    for (int i = 0; i < count; ++i) {
        digits += static_cast<char>('0' + random.Between(0, 9));
    }
    return digits;
}

}  // namespace

DemoItemFactory::DemoItemFactory(const DemoClassTree& classes,
                                 const std::vector<DemoWarehouse>& warehouses, std::int64_t count)
    : classes_(classes),
      warehouses_(warehouses),
      serialWidth_(std::max<std::size_t>(4, std::to_string(count).size())),
      serials_(classes.Leaves().size(), 0) {}

DemoItem DemoItemFactory::Make(DemoRandom& random) {
    ++made_;
    const auto& leaves = classes_.Leaves();
    if (made_ == 1) {
        return Special(leaves.front());
    }
    const std::size_t leafIndex = random.Index(leaves.size());
    const DemoLeafClass& leaf = *leaves[leafIndex].definition;
    DemoItem item;
    item.iId = made_;
    item.cInvCode = NextCode(leafIndex);
    if (random.Percent(50)) {
        item.cInvAddCode = "69" + Digits(random, 11);
    }
    item.cInvStd = leaf.specs[random.Index(leaf.specs.size())];
    item.cInvName = leaf.products[random.Index(leaf.products.size())] + " " + item.cInvStd;
    item.cInvCCode = leaves[leafIndex].code;
    item.cComUnitCode = leaf.unitCode;
    item.cGroupCode = DemoCatalogue::FindUnit(leaf.unitCode)->groupCode;
    item.stockScale = leaf.stockScale;
    if (random.Percent(30)) {
        item.cDefWareHouse = warehouses_[random.Index(warehouses_.size())].code;
    }
    if (random.Percent(40)) {
        item.own = StockSettingsFactory::Make(random, leaf.stockScale);
    }
    DrawDates(random, item);
    return item;
}

DemoItem DemoItemFactory::Special(const DemoClassTree::Leaf& leaf) const {
    DemoItem item;
    item.iId = made_;
    item.cInvCode = DemoCatalogue::kApostropheItem;
    item.cInvName = DemoCatalogue::kApostropheItemName;
    item.cInvStd = DemoCatalogue::kApostropheItemSpec;
    item.cInvCCode = leaf.code;
    item.cComUnitCode = leaf.definition->unitCode;
    item.cGroupCode = DemoCatalogue::FindUnit(item.cComUnitCode)->groupCode;
    item.stockScale = leaf.definition->stockScale;
    const bool apostropheStore =
        std::any_of(warehouses_.begin(), warehouses_.end(), [](const DemoWarehouse& warehouse) {
            return warehouse.code == DemoCatalogue::kApostropheWarehouse;
        });
    if (apostropheStore) {
        item.cDefWareHouse = DemoCatalogue::kApostropheWarehouse;
    }
    item.own =
        StockSettings{500.0, 50.0, 100.0, 0.5, 1, StockSettingsFactory::kMonth, 28, "2024-06-28"};
    item.dSDate = "2016-03-01";
    return item;
}

void DemoItemFactory::DrawDates(DemoRandom& random, DemoItem& item) const {
    if (made_ % kEndedEvery == kEndedRemainder) {
        item.dSDate = random.Date(2015y / January / 1, 2017y / December / 31);
        item.dEDate = random.Date(2019y / January / 1, 2022y / December / 31);
    } else if (random.Percent(90)) {
        item.dSDate = random.Date(2015y / January / 1, 2022y / December / 31);
    }
}

std::string DemoItemFactory::NextCode(std::size_t leafIndex) {
    const std::string serial = std::to_string(++serials_[leafIndex]);
    return classes_.Leaves()[leafIndex].code +
           std::string(serialWidth_ > serial.size() ? serialWidth_ - serial.size() : 0, '0') +
           serial;
}

}  // namespace zel::demo
