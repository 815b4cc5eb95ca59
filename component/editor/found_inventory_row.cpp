#include "editor/found_inventory_row.h"

#include <utility>

namespace korvel {

CorrespondenceRow RowOfInventory(const FoundInventory& item) {
    const std::pair<const CorrespondenceField*, const std::string*> values[] = {
        {&Field("cInvName"), &item.name},
        {&Field("cInvStd"), &item.invStd},
        {&Field("cGroupCode"), &item.groupCode},
        {&Field("cGroupName"), &item.groupName},
        {&Field("cComunitCode"), &item.unitCode},
        {&Field("cComUnitName"), &item.unitName},
        {&Field("iSafeNum"), &item.safeNum},
        {&Field("iTopSum"), &item.topSum},
        {&Field("iLowSum"), &item.lowSum},
        {&Field("iWastage"), &item.wastage},
        {&Field("iFrequency"), &item.frequency},
        {&Field("cFrequency"), &item.unitText},
        {&Field("iDays"), &item.days},
        {&Field("dLastDate"), &item.lastDate},
        {&Field("cInvCode"), &item.code}};
    CorrespondenceRow row;
    for (const auto& [field, value] : values) {
        row.Set(*field, *value);
    }
    return row;
}

}  // namespace korvel
