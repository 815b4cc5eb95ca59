#include "editor/record_entry_checks.h"

#include <charconv>

#include "core/blank_trim.h"
#include "core/check_cycle.h"
#include "core/const.h"
#include "core/database_failure.h"
#include "core/stock_limit_rule.h"
#include "editor/editor_queries.h"
#include "editor/found_row.h"

namespace korvel {
namespace {

std::string FieldText(const zel::IRecordset& rows, const char* field) {
    return NullToStr(rows.Fields(field));
}

// Reals in plain decimals, never with an exponent: the database service reads no exponent.
std::string ExactNumberText(const std::optional<zel::Variant>& value) {
    if (!value || !value->IsReal()) {
        return NullToStr(value);
    }
    const double number = *value->ToDouble();
    char buffer[400];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed);
    return std::string(buffer, written.ptr);
}

std::optional<FoundEntry> FoundIn(const std::shared_ptr<zel::IRecordset>& rows,
                                  const char* codeField, const char* nameField,
                                  const std::string& text) {
    if (!rows || !MoveToFoundRow(*rows, codeField, nameField, text)) {
        return std::nullopt;
    }
    return FoundEntry{FieldText(*rows, codeField), FieldText(*rows, nameField)};
}

}  // namespace

RecordEntryChecks::RecordEntryChecks(const ComponentContext& context) : context_(context) {}

std::shared_ptr<zel::IRecordset> RecordEntryChecks::Query(const std::string& sql) const {
    auto rows = OpenOrTell(context_.login, sql);
    lastLookupFailed_ = rows == nullptr;
    return rows;
}

std::optional<FoundInventory> RecordEntryChecks::FindInventory(const std::string& text) const {
    const auto rows = Query(
        InventoryLookupQuery(context_.catalogue, text, context_.login.sAuthInv, EndDateFilter()));
    if (!rows || !MoveToFoundRow(*rows, "cInvCode", "cInvName", text)) {
        return std::nullopt;
    }
    return InventoryOf(*rows);
}

FoundInventory RecordEntryChecks::InventoryOf(const zel::IRecordset& item) const {
    zel::IPub& pub = *context_.login.pub;
    FoundInventory found;
    found.code = FieldText(item, "cInvCode");
    found.name = FieldText(item, "cInvName");
    found.invStd = FieldText(item, "cInvStd");
    found.groupCode = FieldText(item, "cGroupCode");
    found.groupName = FieldText(item, "cGroupName");
    found.unitCode = FieldText(item, "cComunitCode");
    found.unitName = FieldText(item, "cComUnitName");
    auto quantity = [&](const char* field) {
        return pub.FormatNum(item.Fields(field).value_or(zel::Variant{}), context_.quantity.digits);
    };
    found.safeNum = quantity("iSafeNum");
    found.topSum = quantity("iTopSum");
    found.lowSum = quantity("iLowSum");
    found.wastage = quantity("iWastage");
    found.frequency = FieldText(item, "iFrequency");
    // The item stores the unit's code; the list shows the units' texts.
    found.unitText = CycleUnitTextOfCode(context_.catalogue, FieldText(item, "cFrequency"));
    found.days = FieldText(item, "iDays");
    found.lastDate = FieldText(item, "dLastDate");
    found.defaultWarehouse = std::string(TrimmedBlanks(FieldText(item, "cDefWareHouse")));
    return found;
}

std::optional<FoundEntry> RecordEntryChecks::FindWarehouse(const std::string& text) const {
    return FoundIn(Query(WarehouseLookupQuery(text, context_.login.sAuthWh)), "CWhCode", "CWhName",
                   text);
}

std::optional<FoundEntry> RecordEntryChecks::FindPerson(const std::string& text) const {
    return FoundIn(Query(PersonLookupQuery(text, context_.login.sAuthPerson)), "cPersonCode",
                   "cPersonName", text);
}

std::optional<FoundEntry> RecordEntryChecks::FindDefaultWarehouse(const std::string& code) const {
    if (TrimmedBlanks(code).empty()) {
        return std::nullopt;
    }
    const auto warehouse = Query(DefaultWarehouseQuery(code));
    if (!warehouse || warehouse->RecordCount() != 1) {
        return std::nullopt;
    }
    return FoundEntry{FieldText(*warehouse, "CWhCode"), FieldText(*warehouse, "CWhName")};
}

std::string RecordEntryChecks::WarehouseName(const std::string& code) const {
    const auto warehouse = Query(WarehouseNameQuery(code, context_.login.sAuthWh));
    return warehouse && !warehouse->Eof() ? FieldText(*warehouse, "CWhName") : std::string();
}

std::optional<StoredQuantities> RecordEntryChecks::ReadStoredQuantities(
    const std::string& warehouseCode, const std::string& inventoryCode) const {
    const auto row =
        Query(StoredQuantitiesQuery(warehouseCode, inventoryCode, context_.login.sAuthInv));
    if (!row || row->Eof()) {
        return std::nullopt;
    }
    return StoredQuantities{
        ExactNumberText(row->Fields("iTopSum")), ExactNumberText(row->Fields("iLowSum")),
        ExactNumberText(row->Fields("iSafeNum")), ExactNumberText(row->Fields("iWastage"))};
}

std::string RecordEntryChecks::PickerItemQuery(const std::string& table,
                                               const std::string& writeCondition,
                                               const std::string& match) const {
    return korvel::PickerItemQuery(table, writeCondition, match, EndDateFilter());
}

namespace {

// The leading number of the text, 0 when there is none.
double EntryValue(std::string_view text) {
    const std::string_view trimmed = TrimmedBlanks(text);
    double value = 0;
    std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    return value;
}

}  // namespace

bool RecordEntryChecks::IsZeroEntry(std::string_view text) {
    return !text.empty() && EntryValue(text) == 0;
}

std::optional<LimitRefusal> RecordEntryChecks::RefuseStockLimits(
    const std::function<std::string(const CorrespondenceField&)>& boxText) const {
    const LimitOrder* broken = BrokenLimitOrder(
        [&](const CorrespondenceField& field) { return LimitNumber(boxText(field)); });
    zel::IPub& pub = *context_.login.pub;
    if (broken) {
        const auto caption = [&](const CorrespondenceField& field) {
            return context_.catalogue
                .arrFldCaption[static_cast<size_t>(field.catalogue.captionIndex)];
        };
        return LimitRefusal{pub.GetResFormatString(kLimitOrderMessage, {caption(*broken->lower),
                                                                        caption(*broken->upper)}),
                            broken->lower};
    }
    if (auto message = RefuseLossRate(boxText(kLossRate))) {
        return LimitRefusal{std::move(*message), &kLossRate};
    }
    return std::nullopt;
}

std::optional<std::string> RecordEntryChecks::RefuseLossRate(std::string_view text) const {
    if (TrimmedBlanks(text).empty()) {
        return std::nullopt;
    }
    const char* refusal = LossRateRefusal(EntryValue(text));
    if (!refusal) {
        return std::nullopt;
    }
    return context_.login.pub->GetResString(refusal);
}

std::string RecordEntryChecks::EndDateFilter() const {
    return context_.login.pub->GetEndDateFilter("inventory", context_.login.sCurDate);
}

}  // namespace korvel
