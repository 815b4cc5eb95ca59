#include "host/database/table_record.h"

#include <pugixml.hpp>

#include <algorithm>

#include "host/database/database_texts.h"
#include "host/database/declared_type.h"
#include "host/database/record_cycle_day.h"
#include "host/database/referenced_rows.h"
#include "host/database/single_value.h"
#include "host/database/write_rights.h"
#include "host/objects/host_date.h"
#include "host/objects/host_number.h"
#include "host/objects/host_text.h"

namespace zel {
namespace {

// The element that names the writer, not a column.
constexpr const char* kWriter = "cUserId";
// Columns the writer fills itself, where a table has them.
constexpr const char* kCreatedBy = "cCreatePerson";
constexpr const char* kChangedBy = "cModifyPerson";
constexpr const char* kChangedAt = "dModifyDate";

// Digits an integer column holds whatever the engine: the host's server database keeps 32 bits.
constexpr int kIntegerDigits = 9;

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

// A record names only columns a user writes: not those the writer or the database fills.
bool IsUserWritten(const ColumnCatalogue::Column& column) {
    return !column.generated && column.name != kCreatedBy && column.name != kChangedBy &&
           column.name != kChangedAt;
}

bool Has(const ColumnCatalogue::Table& table, const char* column) {
    return ColumnCatalogue::OfSchema().Find(table.name, column) != nullptr;
}

// The column dictionary's caption, under the table's own key before any other (the items'
// dictionary names the columns other tables share with them); else the resource text of the
// field; else the name itself.
std::string Caption(SqlBackend& backend, const std::string& table, const std::string& column) {
    const auto caption = ReadSingleValue(backend,
                                         "select ccaption from aa_columndic where cfldname=? "
                                         "order by case when ckey=? then 0 else 1 end, ckey",
                                         {Variant(column), Variant(table)})
                             .value;
    if (caption && !caption->ToString().empty()) {
        return caption->ToString();
    }
    const std::string field = "Zel.AA.ARCHIVE.FIELD." + AsciiLower(column);
    return DatabaseTexts::Has(field) ? DatabaseTexts::Text(field) : column;
}

// "Zel.HOST.DB.no_warehouse" for a code no Warehouse row has.
std::string MissingRow(const ColumnCatalogue::Reference& reference, const std::string& code) {
    const std::string key = "Zel.HOST.DB.no_" + AsciiLower(reference.table);
    return DatabaseTexts::Has(key) ? DatabaseTexts::Format(key, {code})
                                   : DatabaseTexts::Text("Zel.HOST.DB.missing_reference");
}

}  // namespace

std::optional<TableRecord> TableRecord::Parse(const std::string& xml, const std::string& name,
                                              std::string& message) {
    const auto* table = ColumnCatalogue::OfSchema().FindTable(name);
    // A table without a key has no row a record could name again.
    if (table == nullptr || table->key.empty()) {
        message = DatabaseTexts::Format("Zel.HOST.DB.unsupported_table", {name});
        return std::nullopt;
    }
    pugi::xml_document document;
    // As a fragment, text outside the root element stays in the document for SingleRoot to see.
    const bool read = document.load_string(xml.c_str(), pugi::parse_default | pugi::parse_fragment);
    const pugi::xml_node root = read ? SingleRoot(document) : pugi::xml_node();
    if (!root || !AsciiEqualIgnoringCase(root.name(), table->name)) {
        message = DatabaseTexts::Text("Zel.HOST.DB.bad_record");
        return std::nullopt;
    }
    TableRecord record(*table);
    for (const pugi::xml_node element : root.children()) {
        if (element.type() != pugi::node_element) {
            continue;
        }
        if (AsciiEqualIgnoringCase(element.name(), kWriter)) {
            record.user_ = WithoutSurroundingBlanks(element.child_value());
            continue;
        }
        const auto* column = ColumnCatalogue::OfSchema().Find(table->name, element.name());
        if (column == nullptr || !IsUserWritten(*column)) {
            message = DatabaseTexts::Format("Zel.HOST.DB.unknown_field", {element.name()});
            return std::nullopt;
        }
        // A field holds text; an element inside it would be dropped unseen, and bounding the
        // record at this one level keeps outside XML from nesting without end.
        if (element.find_child(
                [](pugi::xml_node child) { return child.type() == pugi::node_element; })) {
            message = DatabaseTexts::Format("Zel.HOST.DB.nested_field", {column->name});
            return std::nullopt;
        }
        record.texts_[column->name] = element.child_value();
    }
    return record;
}

bool TableRecord::Check(SqlBackend& backend, bool adding,
                        const std::optional<std::string>& businessDate, std::string& message) {
    if (!CheckKey(backend, message) || !CheckReferences(backend, adding, businessDate, message)) {
        return false;
    }
    values_.clear();
    for (const auto& [column, text] : texts_) {
        if (!CheckValue(backend, column, message)) {
            return false;
        }
    }
    return ApplyRecordCycleDay(*table_, texts_, values_, message);
}

bool TableRecord::CheckKey(SqlBackend& backend, std::string& message) const {
    for (const std::string& column : table_->key) {
        if (TextOf(column).empty()) {
            message = DatabaseTexts::Format("Zel.HOST.DB.value_required",
                                            {Caption(backend, table_->name, column)});
            return false;
        }
    }
    return true;
}

// A caller may spell a code in another letter case; the row keeps the spelling of the row it
// names, so that it reads back, groups and prints as everywhere else.
bool TableRecord::CheckReferences(SqlBackend& backend, bool adding,
                                  const std::optional<std::string>& businessDate,
                                  std::string& message) {
    std::vector<NamedRow> named;
    for (const auto& reference : table_->references) {
        if (const std::string code = TextOf(reference.column); !code.empty()) {
            named.push_back({&reference, code});
        }
    }
    const ReferencedRows rows = ReferencedRows::Read(backend, named, user_, businessDate);
    for (std::size_t i = 0; i < named.size(); ++i) {
        if (!rows.spelt[i]) {
            message = MissingRow(*named[i].reference, named[i].code);
            return false;
        }
    }
    for (std::size_t i = 0; adding && i < named.size(); ++i) {
        if (!rows.inUse[i]) {
            message = DatabaseTexts::Format("Zel.HOST.DB.inventory_ended", {*rows.spelt[i]});
            return false;
        }
    }
    for (std::size_t i = 0; i < named.size(); ++i) {
        texts_[named[i].reference->column] = *rows.spelt[i];
    }
    std::vector<WrittenCode> codes;
    for (const auto& reference : table_->references) {
        codes.push_back({reference.table, TextOf(reference.column)});
    }
    const WriteRights rights(backend, user_, rows.administratorFlag);
    message = WriteRefusal(rights, user_, table_->name, codes);
    return message.empty();
}

bool TableRecord::CheckValue(SqlBackend& backend, const std::string& column, std::string& message) {
    const std::string text = TextOf(column);
    if (text.empty()) {
        values_[column] = Variant();
        return true;
    }
    const auto refuse = [&](const char* key, std::vector<std::string> more = {}) {
        more.insert(more.begin(), Caption(backend, table_->name, column));
        message = DatabaseTexts::Format(key, more);
        return false;
    };
    const DeclaredType type =
        DeclaredType::Parse(ColumnCatalogue::OfSchema().Find(table_->name, column)->declared);
    const bool integer = type.name == "integer";
    if (integer || type.IsDecimal()) {
        const auto number = HostNumber::Parse(text);
        if (!number) {
            return refuse("Zel.HOST.DB.bad_number");
        }
        if (integer && !number->IsWhole()) {
            return refuse("Zel.HOST.DB.not_whole");
        }
        if (integer && number->IntegerDigits() > kIntegerDigits) {
            return refuse("Zel.HOST.DB.whole_too_long", {std::to_string(kIntegerDigits)});
        }
        if (type.size > 0 && !number->FitsDecimal(type.size, type.scale)) {
            return refuse("Zel.HOST.DB.number_too_long",
                          {std::to_string(type.size - type.scale), std::to_string(type.scale)});
        }
        values_[column] = number->Value();
        return true;
    }
    if (type.name == "date") {
        const auto date = HostDate::Parse(text);
        if (!date) {
            return refuse("Zel.HOST.DB.bad_date");
        }
        values_[column] = Variant(date->ToIso());
        return true;
    }
    values_[column] = Variant(text);
    return true;
}

std::string TableRecord::TextOf(const std::string& column) const {
    const auto text = texts_.find(column);
    return text == texts_.end() ? std::string()
                                : std::string(WithoutSurroundingBlanks(text->second));
}

bool TableRecord::IsKey(const std::string& column) const {
    return std::find(table_->key.begin(), table_->key.end(), column) != table_->key.end();
}

std::string TableRecord::KeyCondition() const {
    std::string condition;
    for (const std::string& column : table_->key) {
        condition += (condition.empty() ? "" : " and ") + column + "=?";
    }
    return condition;
}

void TableRecord::AppendKeyValues(std::vector<Variant>& values) const {
    for (const std::string& column : table_->key) {
        values.emplace_back(TextOf(column));
    }
}

Variant TableRecord::Writer() const {
    return user_.empty() ? Variant() : Variant(user_);
}

TableRecord::Statement TableRecord::Insert(const std::string& now) const {
    Statement insert;
    std::vector<std::string> columns = table_->key;
    AppendKeyValues(insert.values);
    for (const auto& [column, value] : values_) {
        if (!IsKey(column)) {
            columns.push_back(column);
            insert.values.push_back(value);
        }
    }
    if (Has(*table_, kCreatedBy)) {
        columns.emplace_back(kCreatedBy);
        insert.values.push_back(Writer());
    }
    if (Has(*table_, kChangedAt)) {
        columns.emplace_back(kChangedAt);
        insert.values.emplace_back(now);
    }
    std::string names;
    std::string places;
    for (const std::string& column : columns) {
        names += (names.empty() ? "" : ",") + column;
        places += places.empty() ? "?" : ",?";
    }
    insert.sql = "insert into " + table_->name + " (" + names + ") values (" + places + ")";
    return insert;
}

TableRecord::Statement TableRecord::Update(const std::string& now) const {
    Statement update;
    std::vector<std::string> assignments;
    for (const auto& [column, value] : values_) {
        if (!IsKey(column)) {
            assignments.push_back(column + "=?");
            update.values.push_back(value);
        }
    }
    if (Has(*table_, kChangedBy)) {
        assignments.push_back(std::string(kChangedBy) + "=?");
        update.values.push_back(Writer());
    }
    if (Has(*table_, kChangedAt)) {
        assignments.push_back(std::string(kChangedAt) + "=?");
        update.values.emplace_back(now);
    }
    // A record of the key alone changes nothing, yet still finds its row.
    if (assignments.empty()) {
        assignments.push_back(table_->key.front() + "=" + table_->key.front());
    }
    std::string set;
    for (const std::string& assignment : assignments) {
        set += (set.empty() ? "" : ",") + assignment;
    }
    AppendKeyValues(update.values);
    update.sql = "update " + table_->name + " set " + set + " where " + KeyCondition();
    return update;
}

TableRecord::Statement TableRecord::KeyRow() const {
    Statement row{"select 1 from " + table_->name + " where " + KeyCondition(), {}};
    AppendKeyValues(row.values);
    return row;
}

}  // namespace zel
