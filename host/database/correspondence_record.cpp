#include "host/database/correspondence_record.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <charconv>

#include "host/database/column_catalogue.h"
#include "host/database/database_texts.h"
#include "host/database/single_value.h"
#include "host/database/write_rights.h"
#include "host/objects/host_date.h"
#include "host/objects/host_number.h"
#include "host/objects/host_text.h"
#include "host/objects/inventory_in_use.h"

namespace zel {
namespace {

constexpr const char* kTable = "WhInvContrapose";
constexpr std::array<const char*, 9> kValueColumns = {"iTopSum",  "iLowSum",    "iSafeNum",
                                                      "iWastage", "iFrequency", "cFrequency",
                                                      "iDays",    "dLastDate",  "cWhPersonCode"};

// Digits an integer column holds whatever the engine: the host's server database keeps 32 bits.
constexpr int kIntegerDigits = 9;

// The master rows a record names, read in one query: each code as its master row spells it
// ("r&d-01" names "R&D-01", nullopt when there is none), and whether the item is in use on the
// business date. One statement instead of four matters on a server, where each is a round trip.
struct MasterRows {
    std::optional<std::string> warehouse;
    std::optional<std::string> inventory;
    std::optional<std::string> person;
    bool inventoryInUse = false;
    Variant administratorFlag;
};

std::optional<std::string> TextOf(const SqlStatement& statement, int column) {
    const Variant value = statement.ColumnValue(column);
    return value.IsNull() ? std::nullopt : std::optional(value.ToString());
}

MasterRows ReadMasterRows(SqlBackend& backend, const std::string& warehouse,
                          const std::string& inventory, const std::string& person,
                          const std::string& user, const std::optional<std::string>& businessDate) {
    const std::string sql =
        "select (select cWhCode from Warehouse where cWhCode=?), "
        "(select cInvCode from Inventory where cInvCode=?), "
        "(select cPersonCode from Person where cPersonCode=?), "
        "(select 1 from Inventory where cInvCode=? and " +
        InventoryInUseCondition(businessDate ? std::optional<std::string>("?") : std::nullopt) +
        "), (select bAdmin from aa_user where cUserId=?)";
    std::vector<Variant> values = {Variant(warehouse), Variant(inventory), Variant(person),
                                   Variant(inventory)};
    if (businessDate) {
        values.emplace_back(*businessDate);
    }
    values.emplace_back(user);
    MasterRows rows;
    const auto statement = backend.Prepare(sql);
    bool bound = statement != nullptr;
    for (std::size_t i = 0; bound && i < values.size(); ++i) {
        bound = statement->Bind(static_cast<int>(i) + 1, values[i]);
    }
    if (bound && statement->Step() == StepResult::Row) {
        rows.warehouse = TextOf(*statement, 0);
        rows.inventory = TextOf(*statement, 1);
        rows.person = TextOf(*statement, 2);
        rows.inventoryInUse = TextOf(*statement, 3).has_value();
        rows.administratorFlag = statement->ColumnValue(4);
    }
    return rows;
}

// The record is one element and nothing else: text or a second record after it is refused
// rather than dropped unseen.
pugi::xml_node SingleRoot(const pugi::xml_document& document) {
    pugi::xml_node root;
    for (const pugi::xml_node node : document.children()) {
        if (node.type() != pugi::node_element || root) {
            return {};
        }
        root = node;
    }
    return root;
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

// The column's declaration in the host's schema, lower case; every account is brought to that
// schema when it is opened, on either engine. Empty for a column the table does not have.
std::string DeclarationOf(const std::string& column) {
    const ColumnCatalogue::Column* found = ColumnCatalogue::OfSchema().Find(kTable, column);
    return found != nullptr ? AsciiLower(found->declared) : std::string();
}

}  // namespace

std::optional<CorrespondenceRecord> CorrespondenceRecord::Parse(const std::string& xml,
                                                                std::string& message) {
    pugi::xml_document document;
    // As a fragment, text outside the root element stays in the document for SingleRoot to see.
    const bool read = document.load_string(xml.c_str(), pugi::parse_default | pugi::parse_fragment);
    const pugi::xml_node root = read ? SingleRoot(document) : pugi::xml_node();
    if (!root || !AsciiEqualIgnoringCase(root.name(), kTable)) {
        message = DatabaseTexts::Text("Zel.HOST.DB.bad_record");
        return std::nullopt;
    }
    CorrespondenceRecord record;
    for (const pugi::xml_node element : root.children()) {
        if (element.type() != pugi::node_element) {
            continue;
        }
        const std::string name = AsciiLower(element.name());
        const std::string text = element.child_value();
        if (name == "cwhcode") {
            record.warehouse_ = WithoutSurroundingBlanks(text);
        } else if (name == "cinvcode") {
            record.inventory_ = WithoutSurroundingBlanks(text);
        } else if (name == "cuserid") {
            record.user_ = WithoutSurroundingBlanks(text);
        } else {
            const auto column = std::find_if(
                kValueColumns.begin(), kValueColumns.end(),
                [&](const char* known) { return AsciiEqualIgnoringCase(known, name); });
            if (column == kValueColumns.end()) {
                message = DatabaseTexts::Format("Zel.HOST.DB.unknown_field", {element.name()});
                return std::nullopt;
            }
            record.texts_[*column] = text;
        }
    }
    return record;
}

// A caller may spell a code in another letter case; the row keeps the master's spelling, so that
// it reads back, groups and prints as everywhere else.
bool CorrespondenceRecord::CheckMasterRows(SqlBackend& backend, bool adding,
                                           const std::optional<std::string>& businessDate,
                                           Variant& administratorFlag, std::string& message) {
    if (warehouse_.empty()) {
        message = DatabaseTexts::Text("Zel.HOST.DB.empty_whcode");
        return false;
    }
    if (inventory_.empty()) {
        message = DatabaseTexts::Text("Zel.HOST.DB.empty_invcode");
        return false;
    }
    const std::string person = PersonCode();
    const MasterRows rows =
        ReadMasterRows(backend, warehouse_, inventory_, person, user_, businessDate);
    if (!rows.warehouse) {
        message = DatabaseTexts::Format("Zel.HOST.DB.no_warehouse", {warehouse_});
        return false;
    }
    if (!rows.inventory) {
        message = DatabaseTexts::Format("Zel.HOST.DB.no_inventory", {inventory_});
        return false;
    }
    if (!person.empty() && !rows.person) {
        message = DatabaseTexts::Format("Zel.HOST.DB.no_person", {person});
        return false;
    }
    if (adding && !rows.inventoryInUse) {
        message = DatabaseTexts::Format("Zel.HOST.DB.inventory_ended", {*rows.inventory});
        return false;
    }
    warehouse_ = *rows.warehouse;
    inventory_ = *rows.inventory;
    if (!person.empty()) {
        texts_["cWhPersonCode"] = *rows.person;
    }
    administratorFlag = rows.administratorFlag;
    return true;
}

bool CorrespondenceRecord::CheckRights(SqlBackend& backend, const Variant& administratorFlag,
                                       std::string& message) const {
    const WriteRights rights(backend, user_, administratorFlag);
    message = WriteRefusal(rights, user_, warehouse_, inventory_, PersonCode());
    return message.empty();
}

std::string CorrespondenceRecord::PersonCode() const {
    const auto person = texts_.find("cWhPersonCode");
    return person == texts_.end() ? std::string()
                                  : std::string(WithoutSurroundingBlanks(person->second));
}

bool CorrespondenceRecord::CheckValue(SqlBackend& backend, const std::string& column,
                                      const std::string& declared, std::string& message) {
    const std::string text(WithoutSurroundingBlanks(texts_.at(column)));
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
    values_[column] = Variant(text);
    return true;
}

bool CorrespondenceRecord::Check(SqlBackend& backend, bool adding,
                                 const std::optional<std::string>& businessDate,
                                 std::string& message) {
    Variant administratorFlag;
    if (!CheckMasterRows(backend, adding, businessDate, administratorFlag, message) ||
        !CheckRights(backend, administratorFlag, message)) {
        return false;
    }
    values_.clear();
    for (const auto& [column, text] : texts_) {
        const std::string declared = DeclarationOf(column);
        if (declared.empty() || !CheckValue(backend, column, declared, message)) {
            if (declared.empty()) {
                message = DatabaseTexts::Format("Zel.HOST.DB.unknown_field", {column});
            }
            return false;
        }
    }
    ClearDaysOutsideCycle();
    return CheckDaysHaveUnit(message);
}

// The schema lets a row without a unit hold a day, for the writers that set one column per
// statement; a record that names its day together with no unit at all is refused here.
bool CorrespondenceRecord::CheckDaysHaveUnit(std::string& message) const {
    const auto days = values_.find("iDays");
    const auto unit = values_.find("cFrequency");
    if (days == values_.end() || days->second.IsNull() || unit == values_.end() ||
        !unit->second.IsNull()) {
        return true;
    }
    message = DatabaseTexts::Text("Zel.HOST.DB.days_not_allowed");
    return false;
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
