#include "batchadd/inventory_list_filler.h"

#include <utility>

#include "core/blank_trim.h"
#include "core/const.h"
#include "host/controls/ys_list_view.h"
#include "interfaces/pub.h"

namespace korvel {
namespace {

constexpr int kRowsPerStep = 100;
constexpr int kColumnWidthTwips = 1440;

void AddRow(const zel::IRecordset& result, bool preCheck, const std::string& whCode,
            zel::ListRows& rows) {
    const std::string code = NullToStr(result.Fields(0));
    const int fields = result.FieldCount();
    // The last column is the item's default warehouse.
    const std::string warehouse = fields > 1 ? NullToStr(result.Fields(fields - 1)) : std::string();
    const std::string_view trimmedWarehouse = TrimmedBlanks(warehouse);
    rows.AddRow("k" + code, preCheck && !trimmedWarehouse.empty() && trimmedWarehouse == whCode);
    rows.AddText(code);
    for (int field = 1; field < fields - 1; ++field) {
        rows.AddText(TrimmedBlanks(NullToStr(result.Fields(field))));
    }
    if (fields > 1) {
        rows.AddText(trimmedWarehouse);
    }
}

}  // namespace

InventoryListFiller::InventoryListFiller(zel::IPub& pub, Window window)
    : pub_(pub), window_(std::move(window)) {}

int InventoryListFiller::FillInventoryList(zel::IRecordset& result, zel::YsListView& list,
                                           bool preCheck, const std::string& whCode) {
    if (list.ColumnHeaderCount() == 0) {
        AddColumnHeaders(result, list);
    }
    if (result.Bof() && result.Eof()) {
        ShowLabel("");
        return 0;
    }
    int loaded = 0;
    zel::ListRows pending;
    while (!result.Eof()) {
        AddRow(result, preCheck, whCode, pending);
        ++loaded;
        result.MoveNext();
        if (loaded % kRowsPerStep != 0) {
            continue;
        }
        list.AddItems(std::move(pending));
        if (window_.letEventsRun) {
            window_.letEventsRun();
        }
        ShowLabel(pub_.GetResFormatString("Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.353_1",
                                          {std::to_string(loaded)}));
        if (window_.advanced) {
            window_.advanced(loaded);
        }
        if (window_.cancelled && window_.cancelled()) {
            break;
        }
    }
    list.AddItems(std::move(pending));
    ShowLabel(pub_.GetResFormatString("Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.358_1",
                                      {std::to_string(loaded)}));
    return loaded;
}

void InventoryListFiller::AddColumnHeaders(const zel::IRecordset& result, zel::YsListView& list) {
    for (int field = 0; field < result.FieldCount(); ++field) {
        list.AddColumnHeader("Key" + std::to_string(field + 1), result.FieldName(field),
                             kColumnWidthTwips);
    }
}

void InventoryListFiller::ShowLabel(const std::string& text) const {
    if (window_.showLabel) {
        window_.showLabel(text);
    }
}

}  // namespace korvel
