#include "import/import_row_judge.h"

#include <charconv>

#include "core/blank_trim.h"
#include "core/check_cycle.h"
#include "core/text_case.h"
#include "host/pub/decimal_text.h"
#include "import/exact_number.h"
#include "import/import_query.h"
#include "import/imported_cell.h"

namespace korvel {
namespace {

constexpr const char* kMissingWarehouse = "Zel.AA.WHINVCONTRAPOSE.IMPORT.missing_warehouse";
constexpr const char* kMissingInventory = "Zel.AA.WHINVCONTRAPOSE.IMPORT.missing_inventory";
constexpr const char* kDuplicate = "Zel.AA.WHINVCONTRAPOSE.IMPORT.duplicate";
constexpr const char* kUnknownWarehouse = "Zel.AA.WHINVCONTRAPOSE.IMPORT.unknown_warehouse";
constexpr const char* kUnknownInventory = "Zel.AA.WHINVCONTRAPOSE.IMPORT.unknown_inventory";
constexpr const char* kEndedInventory = "Zel.AA.WHINVCONTRAPOSE.IMPORT.ended_inventory";
constexpr const char* kNoWarehouseRight = "Zel.AA.WHINVCONTRAPOSE.IMPORT.no_warehouse_right";
constexpr const char* kNoInventoryRight = "Zel.AA.WHINVCONTRAPOSE.IMPORT.no_inventory_right";
constexpr const char* kNoPersonRight = "Zel.AA.WHINVCONTRAPOSE.IMPORT.no_person_right";

std::string_view CellAt(const std::vector<std::string>& cells, std::optional<std::size_t> column) {
    return column && *column < cells.size() ? std::string_view(cells[*column]) : std::string_view();
}

const std::string& Before(const StoredCorrespondenceRows::Values* before, std::size_t index) {
    static const std::string kNone;
    return before ? (*before)[index] : kNone;
}

// The grid shows quantities rounded to the account's digits, and so does its export: a number
// that is the stored one as the grid shows it was left alone, as the editor keeps the stored
// value of a box the user did not touch.
bool ShownAsStored(const CorrespondenceField& field, const std::string& value,
                   const std::string& stored, short digits) {
    if (!TakesQuantityDigits(field) || stored.empty() || value.empty()) {
        return false;
    }
    return ExactNumber(zel::DecimalText(zel::Variant(stored), digits)) == value;
}

bool SameStored(const CorrespondenceField& field, const std::string& value,
                const std::string& stored) {
    return field.kind == FieldKind::kCode ? EqualsNoCase(value, stored) : value == stored;
}

// The cycle rule the schema holds for every writer: a day within the cycle only for a week
// (1 to 7) or a month (1 to 31).
const char* CycleRefusal(const std::string& unitCode, const std::string& days) {
    const CycleUnit unit = CycleUnitOfCode(unitCode);
    if (days.empty() || unit == kUnitNone) {
        return nullptr;
    }
    const auto last = LastCycleDay(unit);
    if (!last) {
        return "Zel.HOST.DB.days_not_allowed";
    }
    int day = 0;
    const auto [end, error] = std::from_chars(days.data(), days.data() + days.size(), day);
    if (error == std::errc() && end == days.data() + days.size() && day >= 1 && day <= *last) {
        return nullptr;
    }
    return unit == kUnitWeek ? "Zel.HOST.DB.bad_days_week" : "Zel.HOST.DB.bad_days_month";
}

}  // namespace

ImportRowJudge::ImportRowJudge(const ComponentContext& context,
                               const std::vector<std::string>& header,
                               const ImportColumnMapping& mapping, std::string defaultWarehouse,
                               const ImportKnownCodes& known, StoredCorrespondenceRows& stored)
    : context_(context),
      header_(header),
      mapping_(mapping),
      defaultWarehouse_(TrimmedBlanks(defaultWarehouse)),
      known_(known),
      stored_(stored),
      checks_(context),
      warehouseColumn_(mapping.ColumnOf(Field("cWhCode"))),
      inventoryColumn_(mapping.ColumnOf(Field("cInvCode"))) {
    for (const CorrespondenceField* field : ImportedFields()) {
        fieldColumns_.push_back(mapping.ColumnOf(*field));
    }
}

std::string ImportRowJudge::Text(const char* key, const std::vector<std::string>& values) const {
    zel::IPub& pub = *context_.login.pub;
    return values.empty() ? pub.GetResString(key) : pub.GetResFormatString(key, values);
}

std::optional<ImportRowOutcome> ImportRowJudge::Judge(std::size_t sourceRow,
                                                      std::vector<std::string>& cells,
                                                      std::string& failure) {
    ImportRowOutcome outcome;
    outcome.sourceRow = sourceRow;
    const auto refuse = [&](std::string reason) {
        outcome.verdict = ImportVerdict::kRefused;
        outcome.reason = std::move(reason);
        outcome.fields.clear();
        outcome.cells = std::move(cells);
        return std::move(outcome);
    };
    if (auto refusal = KeyRefusal(sourceRow, cells, outcome)) {
        return refuse(std::move(*refusal));
    }
    if (!stored_.ReadWarehouse(outcome.warehouseCode, failure)) {
        return std::nullopt;
    }
    const auto* before = stored_.Find(outcome.warehouseCode, outcome.inventoryCode);
    Given given(ImportedFields().size());
    if (auto refusal = ReadCells(cells, before, given)) {
        return refuse(std::move(*refusal));
    }
    for (std::size_t at = 0; at < given.size(); ++at) {
        const std::string& old = Before(before, at);
        if (given[at] &&
            (before ? !SameStored(*ImportedFields()[at], *given[at], old) : !given[at]->empty())) {
            outcome.fields.push_back({ImportedFields()[at], old, *given[at]});
        }
    }
    if (before && outcome.fields.empty()) {
        outcome.verdict = ImportVerdict::kUnchanged;
        return outcome;
    }
    if (auto refusal = WriteRefusal(outcome)) {
        return refuse(std::move(*refusal));
    }
    if (auto refusal = RowRefusal(given, before)) {
        return refuse(std::move(*refusal));
    }
    outcome.verdict = before ? ImportVerdict::kChanged : ImportVerdict::kNew;
    return outcome;
}

// Sets the outcome's codes, as the database spells them once they are known.
std::optional<std::string> ImportRowJudge::KeyRefusal(std::size_t sourceRow,
                                                      const std::vector<std::string>& cells,
                                                      ImportRowOutcome& outcome) {
    std::string_view warehouse = TrimmedBlanks(CellAt(cells, warehouseColumn_));
    if (warehouse.empty()) {
        warehouse = defaultWarehouse_;
    }
    outcome.warehouseCode = warehouse;
    outcome.inventoryCode = TrimmedBlanks(CellAt(cells, inventoryColumn_));
    if (outcome.warehouseCode.empty()) {
        return Text(kMissingWarehouse);
    }
    if (outcome.inventoryCode.empty()) {
        return Text(kMissingInventory);
    }
    const auto [first, isFirst] = firstRowOfKey_.try_emplace(
        CodeKey(outcome.warehouseCode) + '\x1f' + CodeKey(outcome.inventoryCode), sourceRow);
    if (!isFirst) {
        return Text(kDuplicate, {std::to_string(first->second)});
    }
    const KnownCode* knownWarehouse = known_.Warehouse(outcome.warehouseCode);
    if (!knownWarehouse) {
        return Text(kUnknownWarehouse, {CellForMessage(outcome.warehouseCode)});
    }
    const KnownCode* item = known_.Inventory(outcome.inventoryCode);
    if (!item) {
        return Text(kUnknownInventory, {CellForMessage(outcome.inventoryCode)});
    }
    outcome.warehouseCode = knownWarehouse->code;
    outcome.inventoryCode = item->code;
    return std::nullopt;
}

// Only a row that writes needs the write rights and an item still in use: a file exported from a
// warehouse the user may only read, or holding the row of an item that has ended since, comes
// back unchanged.
std::optional<std::string> ImportRowJudge::WriteRefusal(const ImportRowOutcome& outcome) const {
    const KnownCode& item = *known_.Inventory(outcome.inventoryCode);
    if (!item.inUse) {
        return Text(kEndedInventory, {outcome.inventoryCode, context_.login.sCurDate});
    }
    if (!known_.Warehouse(outcome.warehouseCode)->writable) {
        return Text(kNoWarehouseRight, {outcome.warehouseCode});
    }
    if (!item.writable) {
        return Text(kNoInventoryRight, {outcome.inventoryCode});
    }
    return std::nullopt;
}

std::optional<std::string> ImportRowJudge::ReadCells(const std::vector<std::string>& cells,
                                                     const StoredCorrespondenceRows::Values* before,
                                                     Given& given) const {
    const FieldList& fields = ImportedFields();
    for (std::size_t at = 0; at < fields.size(); ++at) {
        if (!fieldColumns_[at]) {
            continue;
        }
        const std::string_view cell = CellAt(cells, fieldColumns_[at]);
        ImportedCell read = ReadImportedCell(*fields[at], cell, context_.catalogue, known_);
        if (read.refusal) {
            return Text(read.refusal,
                        {CellForMessage(header_[*fieldColumns_[at]]), CellForMessage(cell)});
        }
        const std::string& old = Before(before, at);
        if (read.value != old &&
            ShownAsStored(*fields[at], read.value, old, context_.quantity.digits)) {
            read.value = old;
        }
        // A storekeeper the row already has stays, whoever may choose him now.
        if (read.person && !read.person->writable && !SameStored(*fields[at], read.value, old)) {
            return Text(kNoPersonRight, {read.value});
        }
        given[at] = std::move(read.value);
    }
    return std::nullopt;
}

// The row as it would be stored: the file's values over the stored ones.
std::optional<std::string> ImportRowJudge::RowRefusal(
    const Given& given, const StoredCorrespondenceRows::Values* before) const {
    const auto value = [&](const CorrespondenceField& field) {
        const std::size_t at = *ImportedFieldIndex(field);
        return given[at] ? *given[at] : Before(before, at);
    };
    if (const auto refusal = checks_.RefuseStockLimits(value)) {
        return refusal->message;
    }
    if (const char* refusal = CycleRefusal(value(Field("cFrequency")), value(Field("iDays")))) {
        return Text(refusal);
    }
    return std::nullopt;
}

}  // namespace korvel
