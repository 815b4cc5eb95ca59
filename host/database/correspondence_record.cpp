#include "host/database/correspondence_record.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

#include "host/database/database_texts.h"
#include "host/database/host_date.h"
#include "host/database/host_number.h"
#include "host/database/single_value.h"
#include "host/database/write_rights.h"

namespace zel {
namespace {

constexpr const char* kTable = "WhInvContrapose";
constexpr std::array<const char*, 9> kValueColumns = {"iTopSum",  "iLowSum",    "iSafeNum",
                                                      "iWastage", "iFrequency", "cFrequency",
                                                      "iDays",    "dLastDate",  "cWhPersonCode"};

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string()
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Digits an integer column holds whatever the engine: the host's server database keeps 32 bits.
constexpr int kIntegerDigits = 9;

bool Exists(SqlBackend& backend, const std::string& sql, const std::string& code) {
    return ReadSingleValue(backend, sql, {Variant(code)}).value.has_value();
}

std::string Caption(SqlBackend& backend, const std::string& column) {
    const auto caption =
        ReadSingleValue(backend,
                        "select ccaption from aa_columndic where ckey='Inventory' and cfldname=?",
                        {Variant(column)})
            .value;
    return caption && !caption->ToString().empty() ? caption->ToString() : column;
}

// "decimal(20, 6)" gives {20, 6}.
std::optional<std::pair<int, int>> DecimalDigits(const std::string& declared) {
    const auto open = declared.find('(');
    const auto comma = declared.find(',');
    if (open == std::string::npos || comma == std::string::npos) {
        return std::nullopt;
    }
    auto number = [&](std::size_t from) {
        while (from < declared.size() && declared[from] == ' ') {
            ++from;
        }
        int value = 0;
        std::from_chars(declared.data() + from, declared.data() + declared.size(), value);
        return value;
    };
    return std::pair(number(open + 1), number(comma + 1));
}

std::map<std::string, std::string> DeclaredTypes(SqlBackend& backend) {
    std::map<std::string, std::string> types;
    auto statement = backend.Prepare(std::string("select * from ") + kTable + " where 0");
    if (!statement) {
        return types;
    }
    for (int i = 0; i < statement->ColumnCount(); ++i) {
        types[Lower(statement->ColumnName(i))] = Lower(statement->DeclaredType(i));
    }
    return types;
}

std::optional<int> WholeNumber(const Variant& value) {
    const auto number = value.ToDouble();
    return number ? std::optional(static_cast<int>(*number)) : std::nullopt;
}

}  // namespace

std::optional<CorrespondenceRecord> CorrespondenceRecord::Parse(const std::string& xml,
                                                                std::string& message) {
    pugi::xml_document document;
    if (!document.load_string(xml.c_str()) ||
        Lower(document.first_child().name()) != Lower(kTable)) {
        message = DatabaseTexts::Text("Zel.HOST.DB.bad_record");
        return std::nullopt;
    }
    CorrespondenceRecord record;
    for (const pugi::xml_node element : document.first_child().children()) {
        if (element.type() != pugi::node_element) {
            continue;
        }
        const std::string name = Lower(element.name());
        const std::string text = element.child_value();
        if (name == "cwhcode") {
            record.warehouse_ = Trimmed(text);
        } else if (name == "cinvcode") {
            record.inventory_ = Trimmed(text);
        } else if (name == "cuserid") {
            record.user_ = Trimmed(text);
        } else {
            const auto column =
                std::find_if(kValueColumns.begin(), kValueColumns.end(),
                             [&](const char* known) { return Lower(known) == name; });
            if (column == kValueColumns.end()) {
                message = DatabaseTexts::Format("Zel.HOST.DB.unknown_field", {element.name()});
                return std::nullopt;
            }
            record.texts_[*column] = text;
        }
    }
    return record;
}

bool CorrespondenceRecord::CheckCodes(SqlBackend& backend, std::string& message) const {
    if (warehouse_.empty()) {
        message = DatabaseTexts::Text("Zel.HOST.DB.empty_whcode");
        return false;
    }
    if (inventory_.empty()) {
        message = DatabaseTexts::Text("Zel.HOST.DB.empty_invcode");
        return false;
    }
    if (!Exists(backend, "select 1 from Warehouse where cWhCode=?", warehouse_)) {
        message = DatabaseTexts::Format("Zel.HOST.DB.no_warehouse", {warehouse_});
        return false;
    }
    if (!Exists(backend, "select 1 from Inventory where cInvCode=?", inventory_)) {
        message = DatabaseTexts::Format("Zel.HOST.DB.no_inventory", {inventory_});
        return false;
    }
    const std::string person = PersonCode();
    if (!person.empty() && !Exists(backend, "select 1 from Person where cPersonCode=?", person)) {
        message = DatabaseTexts::Format("Zel.HOST.DB.no_person", {person});
        return false;
    }
    return true;
}

// The record has no business date; the caller's today stands for it. An item may still be
// attached on its end date itself.
bool CorrespondenceRecord::CheckInUse(SqlBackend& backend, const std::string& today,
                                      std::string& message) const {
    const auto ended = ReadSingleValue(
        backend, "select 1 from Inventory where cInvCode=? and dEDate is not null and dEDate<?",
        {Variant(inventory_), Variant(today)});
    if (!ended.read || ended.value) {
        message = DatabaseTexts::Format("Zel.HOST.DB.inventory_ended", {inventory_});
        return false;
    }
    return true;
}

bool CorrespondenceRecord::CheckRights(SqlBackend& backend, std::string& message) const {
    const WriteRights rights(backend, user_);
    const std::string person = PersonCode();
    if (!rights.UserKnown()) {
        message = DatabaseTexts::Format("Zel.HOST.DB.unknown_user", {user_});
    } else if (!rights.MayWrite("Warehouse", warehouse_)) {
        message = DatabaseTexts::Format("Zel.HOST.DB.no_write_warehouse", {warehouse_});
    } else if (!rights.MayWrite("Inventory", inventory_)) {
        message = DatabaseTexts::Format("Zel.HOST.DB.no_write_inventory", {inventory_});
    } else if (!person.empty() && !rights.MayWrite("Person", person)) {
        message = DatabaseTexts::Format("Zel.HOST.DB.no_write_person", {person});
    } else {
        return true;
    }
    return false;
}

std::string CorrespondenceRecord::PersonCode() const {
    const auto person = texts_.find("cWhPersonCode");
    return person == texts_.end() ? std::string() : Trimmed(person->second);
}

bool CorrespondenceRecord::CheckValue(SqlBackend& backend, const std::string& column,
                                      const std::string& declared, std::string& message) {
    const std::string text = Trimmed(texts_.at(column));
    if (text.empty()) {
        values_[column] = Variant();
        return true;
    }
    if (declared.starts_with("decimal") || declared.starts_with("integer")) {
        const auto number = HostNumber::Parse(text);
        if (!number) {
            message = DatabaseTexts::Format("Zel.HOST.DB.bad_number", {Caption(backend, column)});
            return false;
        }
        if (declared.starts_with("integer") && !number->IsWhole()) {
            message = DatabaseTexts::Format("Zel.HOST.DB.not_whole", {Caption(backend, column)});
            return false;
        }
        if (declared.starts_with("integer") && number->IntegerDigits() > kIntegerDigits) {
            message =
                DatabaseTexts::Format("Zel.HOST.DB.whole_too_long",
                                      {Caption(backend, column), std::to_string(kIntegerDigits)});
            return false;
        }
        const auto digits = DecimalDigits(declared);
        if (digits && !number->FitsDecimal(digits->first, digits->second)) {
            message = DatabaseTexts::Format(
                "Zel.HOST.DB.number_too_long",
                {Caption(backend, column), std::to_string(digits->first - digits->second),
                 std::to_string(digits->second)});
            return false;
        }
        values_[column] = number->Value();
        return true;
    }
    if (declared.starts_with("date")) {
        const auto date = HostDate::Parse(text);
        if (!date) {
            message = DatabaseTexts::Format("Zel.HOST.DB.bad_date", {Caption(backend, column)});
            return false;
        }
        values_[column] = Variant(date->ToIso());
        return true;
    }
    if (column == "cFrequency" && text != "天" && text != "周" && text != "月") {
        message = DatabaseTexts::Text("Zel.HOST.DB.bad_frequency");
        return false;
    }
    values_[column] = Variant(text);
    return true;
}

std::optional<std::string> CorrespondenceRecord::StoredText(SqlBackend& backend,
                                                            const std::string& column) const {
    const auto value =
        ReadSingleValue(backend,
                        "select " + column + " from " + kTable + " where cWhCode=? and cInvCode=?",
                        {Variant(warehouse_), Variant(inventory_)})
            .value;
    return value && !value->IsNull() ? std::optional(value->ToString()) : std::nullopt;
}

bool CorrespondenceRecord::CheckCycle(SqlBackend& backend, bool adding,
                                      std::string& message) const {
    auto current = [&](const std::string& column) -> std::optional<std::string> {
        const auto found = values_.find(column);
        if (found != values_.end()) {
            return found->second.IsNull() ? std::nullopt : std::optional(found->second.ToString());
        }
        return adding ? std::nullopt : StoredText(backend, column);
    };
    const auto days = current("iDays");
    if (!days) {
        return true;
    }
    const auto unit = current("cFrequency");
    const int day = WholeNumber(Variant(*days)).value_or(0);
    if (unit == "周" && (day < 1 || day > 7)) {
        message = DatabaseTexts::Text("Zel.HOST.DB.bad_days_week");
        return false;
    }
    if (unit == "月" && (day < 1 || day > 31)) {
        message = DatabaseTexts::Text("Zel.HOST.DB.bad_days_month");
        return false;
    }
    if (unit != "周" && unit != "月") {
        message = DatabaseTexts::Text("Zel.HOST.DB.days_not_allowed");
        return false;
    }
    return true;
}

bool CorrespondenceRecord::Check(SqlBackend& backend, bool adding, const std::string& today,
                                 std::string& message) {
    if (!CheckCodes(backend, message) || (adding && !CheckInUse(backend, today, message)) ||
        !CheckRights(backend, message)) {
        return false;
    }
    const auto declared = DeclaredTypes(backend);
    values_.clear();
    for (const auto& [column, text] : texts_) {
        const auto type = declared.find(Lower(column));
        if (type == declared.end() || !CheckValue(backend, column, type->second, message)) {
            if (type == declared.end()) {
                message = DatabaseTexts::Format("Zel.HOST.DB.unknown_field", {column});
            }
            return false;
        }
    }
    ClearDaysOutsideCycle();
    return CheckCycle(backend, adding, message);
}

// A unit without days (day, or none) leaves no day stored from an earlier week or month cycle;
// the editor sends no day for such a unit, so it could not clear it otherwise.
void CorrespondenceRecord::ClearDaysOutsideCycle() {
    const auto unit = values_.find("cFrequency");
    if (unit == values_.end() || texts_.contains("iDays")) {
        return;
    }
    const std::string text = unit->second.ToString();
    if (text != "周" && text != "月") {
        values_["iDays"] = Variant();
    }
}

CorrespondenceRecord::Statement CorrespondenceRecord::Insert(const std::string& now) const {
    Statement insert;
    std::string columns = "cWhCode,cInvCode";
    std::string places = "?,?";
    insert.values = {Variant(warehouse_), Variant(inventory_)};
    for (const auto& [column, value] : values_) {
        columns += "," + column;
        places += ",?";
        insert.values.push_back(value);
    }
    columns += ",cCreatePerson,dModifyDate";
    places += ",?,?";
    insert.values.push_back(user_.empty() ? Variant() : Variant(user_));
    insert.values.push_back(Variant(now));
    insert.sql =
        std::string("insert into ") + kTable + " (" + columns + ") values (" + places + ")";
    return insert;
}

CorrespondenceRecord::Statement CorrespondenceRecord::Update(const std::string& now) const {
    Statement update;
    std::string assignments;
    for (const auto& [column, value] : values_) {
        assignments += column + "=?,";
        update.values.push_back(value);
    }
    assignments += "cModifyPerson=?,dModifyDate=?";
    update.values.push_back(user_.empty() ? Variant() : Variant(user_));
    update.values.push_back(Variant(now));
    update.values.push_back(Variant(warehouse_));
    update.values.push_back(Variant(inventory_));
    update.sql =
        std::string("update ") + kTable + " set " + assignments + " where cWhCode=? and cInvCode=?";
    return update;
}

}  // namespace zel
