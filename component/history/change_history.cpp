#include "history/change_history.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <iterator>
#include <limits>

#include "core/check_cycle.h"
#include "core/correspondence_fields.h"
#include "core/login_context.h"
#include "core/text_escaping.h"
#include "host/controls/print/print_data.h"
#include "host/objects/host_date.h"
#include "interfaces/cls_common.h"
#include "interfaces/pub.h"
#include "interfaces/recordset.h"

namespace korvel {
namespace {

constexpr const char* kCaptionKeys[] = {
    "Zel.AA.WHINVCONTRAPOSE.HISTORY.dWhen",     "Zel.AA.WHINVCONTRAPOSE.HISTORY.cUser",
    "Zel.AA.WHINVCONTRAPOSE.HISTORY.cKind",     "Zel.AA.WHINVCONTRAPOSE.HISTORY.cWhCode",
    "Zel.AA.WHINVCONTRAPOSE.HISTORY.cWhName",   "Zel.AA.WHINVCONTRAPOSE.HISTORY.cInvCode",
    "Zel.AA.WHINVCONTRAPOSE.HISTORY.cInvName",  "Zel.AA.WHINVCONTRAPOSE.HISTORY.cField",
    "Zel.AA.WHINVCONTRAPOSE.HISTORY.cOldValue", "Zel.AA.WHINVCONTRAPOSE.HISTORY.cNewValue"};

enum Column {
    kChange,
    kWhen,
    kUser,
    kKind,
    kWarehouse,
    kWarehouseName,
    kInventory,
    kInventoryName,
    kField,
    kOldValue,
    kNewValue,
};

constexpr std::string_view kSelect = "select ";
constexpr std::string_view kOrder = " order by ";
constexpr std::string_view kNewestByEntry = " order by whinv_change_value.iChange desc";
// The entries' times need not follow their numbers (on a server a statement that started first
// may be numbered last): the number orders the entries of one time.
constexpr std::string_view kNewestByTime =
    " order by whinv_change.dWhen desc, whinv_change_value.iChange desc";
// The pages double from the first slice up to this, so that reading a long history takes a few
// dozen queries.
constexpr std::size_t kLargestPage = 64'000;

// 'yyyy-mm-dd hh:mm:ss': the server's time carries fractions of a second and its zone.
constexpr std::size_t kWhenLength = 19;

std::string Text(const zel::IRecordset& rows, int column) {
    const auto value = rows.Fields(column);
    return value && !value->IsNull() ? value->ToString() : std::string();
}

// A real as the digits it holds: 0.000001, never 1e-06.
std::optional<std::string> Value(const zel::IRecordset& rows, int column) {
    const auto value = rows.Fields(column);
    if (!value || value->IsNull()) {
        return std::nullopt;
    }
    if (!value->IsReal()) {
        return value->ToString();
    }
    char digits[400];
    const auto written =
        std::to_chars(digits, digits + sizeof digits, *value->ToDouble(), std::chars_format::fixed);
    return std::string(digits, written.ptr);
}

long long Whole(const zel::IRecordset& rows, int column) {
    const auto value = rows.Fields(column);
    const auto number = value ? value->ToDouble() : std::nullopt;
    return number ? static_cast<long long>(*number) : 0;
}

// The entries from the start of a day on, or before the start of the day after the last one,
// whatever the time of day they were written. A bound that is no date lets no entry through
// rather than all of them.
std::string WhenFrom(const std::string& day) {
    const auto date = zel::HostDate::Parse(day);
    return date ? "whinv_change.dWhen>=" + SqlQuoted(date->ToIso()) : std::string(kNoRowCondition);
}

std::string WhenTo(const std::string& day) {
    const auto date = zel::HostDate::Parse(day);
    if (!date) {
        return std::string(kNoRowCondition);
    }
    const std::chrono::sys_days next = std::chrono::sys_days(date->Day()) + std::chrono::days(1);
    return "whinv_change.dWhen<" + SqlQuoted(CheckDateText(next));
}

// Every field the history records has a caption in the dictionary or a key of its own.
std::string CaptionKeyOf(const CorrespondenceField& field) {
    return std::string(!field.catalogue.captionKey.empty() ? field.catalogue.captionKey
                                                           : field.definition.captionKey);
}

// "12.3450" → "12.345", "100.000" → "100": the server keeps a numeric's written scale.
std::string WithoutTrailingZeros(std::string number) {
    const auto point = number.find('.');
    if (point == std::string::npos || number.find_first_of("eE") != std::string::npos) {
        return number;
    }
    number.erase(number.find_last_not_of('0') + 1);
    if (number.back() == '.') {
        number.pop_back();
    }
    return number;
}

}  // namespace

std::string ChangeHistoryQuery(const LoginContext& login, const ChangeHistoryFilter& filter) {
    // Left joins: the history outlives a deleted warehouse or item, whose rows an unrestricted
    // user still reads (a restricted one cannot be judged to read them, and does not).
    std::string sql =
        "select whinv_change_value.iChange, whinv_change.dWhen, whinv_change.cUser, "
        "whinv_change.cKind, whinv_change_value.cWhCode, Warehouse.cWhName, "
        "whinv_change_value.cInvCode, Inventory.cInvName, whinv_change_value.cField, "
        "whinv_change_value.cOldValue, whinv_change_value.cNewValue from whinv_change_value "
        "inner join whinv_change on whinv_change.iChange=whinv_change_value.iChange "
        "left join Warehouse on whinv_change_value.cWhCode=Warehouse.cWhCode "
        "left join Inventory on whinv_change_value.cInvCode=Inventory.cInvCode where " +
        login.sAuthInv + " and " + login.sAuthWh;
    if (!filter.warehouse.empty()) {
        sql += " and whinv_change_value.cWhCode=" + SqlQuoted(filter.warehouse);
    }
    if (!filter.inventory.empty()) {
        sql += " and whinv_change_value.cInvCode=" + SqlQuoted(filter.inventory);
    }
    if (!filter.from.empty()) {
        sql += " and " + WhenFrom(filter.from);
    }
    if (!filter.to.empty()) {
        sql += " and " + WhenTo(filter.to);
    }
    if (!filter.user.empty()) {
        sql += " and whinv_change.cUser=" + SqlQuoted(filter.user);
    }
    if (!filter.field.empty()) {
        // The history spells a field as the field table does, and compares it as it is.
        const CorrespondenceField* field = FieldNamed(filter.field);
        sql += " and whinv_change_value.cField=" +
               SqlQuoted(field ? std::string(field->column) : filter.field);
    }
    if (!filter.kind.empty()) {
        sql += " and whinv_change.cKind=" + SqlQuoted(filter.kind);
    }
    // Over a date range the entries' numbers would send the server down every later entry
    // first, believing the range's entries spread evenly over them.
    const bool byTime = (!filter.from.empty() || !filter.to.empty()) && filter.warehouse.empty() &&
                        filter.inventory.empty();
    return sql + std::string(byTime ? kNewestByTime : kNewestByEntry);
}

ChangeHistoryReader::ChangeHistoryReader(zel::IClsCommon& db, std::string query) : db_(db) {
    const std::size_t order = query.rfind(kOrder);
    const std::size_t start = query.starts_with(kSelect) ? kSelect.size() : 0;
    if (order == std::string::npos || start == 0) {
        failed_ = true;
        part_ = Part::kDone;
        return;
    }
    select_ = query.substr(start, order - start);
    order_ = query.substr(order);
    byTime_ = order_ == kNewestByTime;
    OpenPage();
}

void ChangeHistoryReader::ReadSome(std::size_t records, std::vector<ChangeHistoryEntry>& entries) {
    for (std::size_t read = 0; read < records && !AtEnd();) {
        if (!rows_->Eof()) {
            TakeRow(entries);
            ++read;
        } else if (!rows_->IsOpen()) {
            failed_ = true;
        } else {
            Continue(entries);
        }
    }
}

bool ChangeHistoryReader::AtEnd() const {
    return failed_ || part_ == Part::kDone;
}

bool ChangeHistoryReader::Failed() const {
    return failed_;
}

void ChangeHistoryReader::OpenPage() {
    std::string sql = std::string(kSelect) + "top " + std::to_string(pageSize_) + " " + select_;
    if (below_ && byTime_) {
        // The first condition alone reaches the time's index.
        const std::string when = SqlQuoted(below_->when);
        sql += " and whinv_change.dWhen<=" + when + " and (whinv_change.dWhen<" + when +
               " or whinv_change_value.iChange<" + std::to_string(below_->change) + ")";
    } else if (below_) {
        sql += " and whinv_change_value.iChange<" + std::to_string(below_->change);
    }
    pageRows_ = 0;
    Open(sql + order_, Part::kPage);
}

void ChangeHistoryReader::OpenEntry(long long change) {
    Open(std::string(kSelect) + select_ +
             " and whinv_change_value.iChange=" + std::to_string(change),
         Part::kEntry);
}

void ChangeHistoryReader::Open(const std::string& sql, Part part) {
    part_ = part;
    rows_ = db_.Openforward(sql);
    failed_ = !rows_;
}

void ChangeHistoryReader::Continue(std::vector<ChangeHistoryEntry>& entries) {
    if (part_ == Part::kEntry) {
        OpenPage();
        return;
    }
    if (pageRows_ < pageSize_) {
        std::move(held_.begin(), held_.end(), std::back_inserter(entries));
        held_.clear();
        rows_.reset();
        part_ = Part::kDone;
        return;
    }
    // A full page may have ended inside its last entry: that entry is read again whole.
    below_ = Position{held_.front().change, heldWhen_};
    held_.clear();
    pageSize_ = std::min(pageSize_ * 2, kLargestPage);
    OpenEntry(below_->change);
}

void ChangeHistoryReader::TakeRow(std::vector<ChangeHistoryEntry>& entries) {
    const zel::IRecordset& rows = *rows_;
    std::string when = Text(rows, kWhen);
    ChangeHistoryEntry row{
        Whole(rows, kChange),   when.substr(0, kWhenLength), Text(rows, kUser),
        Text(rows, kKind),      Text(rows, kWarehouse),      Text(rows, kWarehouseName),
        Text(rows, kInventory), Text(rows, kInventoryName),  Text(rows, kField),
        Value(rows, kOldValue), Value(rows, kNewValue)};
    rows_->MoveNext();
    if (part_ == Part::kEntry) {
        entries.push_back(std::move(row));
        return;
    }
    ++pageRows_;
    if (!held_.empty() && held_.front().change != row.change) {
        std::move(held_.begin(), held_.end(), std::back_inserter(entries));
        held_.clear();
    }
    if (held_.empty()) {
        heldWhen_ = std::move(when);
    }
    held_.push_back(std::move(row));
}

std::vector<ChangeHistoryEntry> ReadChangeHistory(zel::IClsCommon& db, const std::string& query,
                                                  bool& ok) {
    ChangeHistoryReader reader(db, query);
    std::vector<ChangeHistoryEntry> entries;
    while (!reader.AtEnd()) {
        reader.ReadSome(std::numeric_limits<std::size_t>::max(), entries);
    }
    ok = !reader.Failed();
    if (!ok) {
        entries.clear();
    }
    return entries;
}

ChangeHistoryCaptions ChangeHistoryCaptionsOf(zel::IPub& pub, zel::IClsCommon& db) {
    ChangeHistoryCaptions captions;
    for (const char* key : kCaptionKeys) {
        captions.columns.push_back(pub.GetResString(key));
    }
    captions.add = pub.GetResString("Zel.AA.WHINVCONTRAPOSE.HISTORY.add");
    captions.change = pub.GetResString("Zel.AA.WHINVCONTRAPOSE.HISTORY.change");
    captions.remove = pub.GetResString("Zel.AA.WHINVCONTRAPOSE.HISTORY.delete");
    captions.imported = pub.GetResString("Zel.AA.WHINVCONTRAPOSE.HISTORY.import");
    captions.outsideUser = pub.GetResString("Zel.AA.WHINVCONTRAPOSE.HISTORY.outside");
    const auto dictionary = db.OpenX("select * from aa_columndic where ckey='Inventory' ");
    for (const CorrespondenceField* field : FieldsInRecordXmlOrder()) {
        const std::string key = CaptionKeyOf(*field);
        const std::string column(field->column);
        captions.fields[column] = !key.empty() ? pub.GetResString(key)
                                  : dictionary ? pub.GetFldCaption(dictionary, column)
                                               : std::string();
    }
    for (const CycleUnit unit : kCycleUnits) {
        captions.units[std::string(CycleUnitCode(unit))] =
            pub.GetResString(std::string(CycleUnitTextKey(unit)));
    }
    return captions;
}

std::vector<ChangeKindChoice> ChangeKindChoices(const ChangeHistoryCaptions& captions) {
    return {{"add", captions.add},
            {"change", captions.change},
            {"delete", captions.remove},
            {"import", captions.imported}};
}

std::string FieldCaptionOf(const ChangeHistoryCaptions& captions, const std::string& column) {
    const auto caption = captions.fields.find(column);
    return caption != captions.fields.end() && !caption->second.empty() ? caption->second : column;
}

std::string ShownValue(const ChangeHistoryCaptions& captions, const std::string& column,
                       const std::optional<std::string>& value) {
    if (!value) {
        return {};
    }
    const CorrespondenceField* field = FieldNamed(column);
    if (field && HoldsNumber(*field)) {
        return WithoutTrailingZeros(*value);
    }
    if (field && field->kind == FieldKind::kUnit) {
        const auto unit = captions.units.find(*value);
        return unit != captions.units.end() ? unit->second : *value;
    }
    return *value;
}

std::string ChangeHistoryColumnsQuery() {
    return "select whinv_change.dWhen, whinv_change.cUser, whinv_change.cKind, "
           "Warehouse.cWhCode, Warehouse.cWhName, Inventory.cInvCode, Inventory.cInvName, "
           "whinv_change_value.cField, whinv_change_value.cField as cOldValue, "
           "whinv_change_value.cField as cNewValue "
           "from whinv_change, whinv_change_value, Warehouse, Inventory where 1=2";
}

std::vector<std::string> ChangeHistoryCells(const ChangeHistoryEntry& row,
                                            const ChangeHistoryCaptions& captions) {
    const auto choices = ChangeKindChoices(captions);
    const auto kind =
        std::find_if(choices.begin(), choices.end(),
                     [&](const ChangeKindChoice& choice) { return choice.kind == row.kind; });
    return {row.when,
            row.user.empty() ? captions.outsideUser : row.user,
            kind != choices.end() ? kind->caption : row.kind,
            row.warehouseCode,
            row.warehouseName,
            row.inventoryCode,
            row.inventoryName,
            FieldCaptionOf(captions, row.field),
            ShownValue(captions, row.field, row.oldValue),
            ShownValue(captions, row.field, row.newValue)};
}

zel::PrintData ChangeHistoryTable(const std::vector<ChangeHistoryEntry>& rows,
                                  const ChangeHistoryCaptions& captions) {
    zel::PrintData table;
    table.headers = captions.columns;
    table.rightAligned.assign(table.headers.size(), false);
    table.serialNumbers = false;
    for (const ChangeHistoryEntry& row : rows) {
        for (std::string& cell : ChangeHistoryCells(row, captions)) {
            table.cells.push_back(std::move(cell));
        }
    }
    return table;
}

}  // namespace korvel
