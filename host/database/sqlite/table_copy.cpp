#include "host/database/sqlite/table_copy.h"

#include <sqlite3.h>

#include <algorithm>
#include <map>

#include "host/database/sql_text.h"
#include "host/database/sql_tokenizer.h"
#include "host/database/sqlite/upgrade_statements.h"

namespace zel {
namespace {

using upgrade_statements::Column;
using upgrade_statements::Columns;
using upgrade_statements::Execute;
using upgrade_statements::HasColumn;
using upgrade_statements::Quoted;
using upgrade_statements::Rows;

constexpr const char* kSideSuffix = "_set_aside";

// Whether the current schema declares rules of the table's values. Other writers may have left
// blanks where the host writes NULL; a blank would break such a rule (a unit, a reference), and
// means no value.
bool HasChecks(sqlite3* db, const std::string& table) {
    const auto declaration = Rows(
        db, "select sql from sqlite_master where type = 'table' and name = " + SqlQuoted(table));
    if (declaration.empty()) {
        return false;
    }
    const auto tokens = SqlTokenizer::Tokenize(declaration.front().front());
    return std::any_of(tokens.begin(), tokens.end(),
                       [](const SqlToken& token) { return token.IsWord("check"); });
}

// What the new table receives for an old column: a blank is no value where the table has rules.
// qualifier names the old table where the value is read inside a query of another.
std::string CopiedValue(const Column& column, bool ruled, const std::string& qualifier = {}) {
    const std::string name = qualifier + Quoted(column.name);
    return ruled && column.nullable
               ? "case when trim(" + name + ") = '' then null else " + name + " end"
               : name;
}

// The rule an insert broke, as the schema names it.
std::string BrokenRule(sqlite3* db) {
    switch (sqlite3_extended_errcode(db)) {
        case SQLITE_CONSTRAINT_NOTNULL:
            return "missing_value";
        case SQLITE_CONSTRAINT_UNIQUE:
        case SQLITE_CONSTRAINT_PRIMARYKEY:
            return "duplicate_key";
        case SQLITE_CONSTRAINT_FOREIGNKEY:
            return "missing_reference";
        default:
            break;
    }
    const std::string message = sqlite3_errmsg(db);
    const std::string check = "CHECK constraint failed: ";
    return message.rfind(check, 0) == 0 ? message.substr(check.size()) : message;
}

struct Reference {
    std::string parent;
    std::vector<std::pair<std::string, std::string>> columns;  // child, parent
};

std::vector<Reference> References(sqlite3* db, const std::string& table) {
    std::map<std::string, Reference> byId;
    for (const auto& row : Rows(db, "pragma foreign_key_list(" + Quoted(table) + ")")) {
        auto& reference = byId[row[0]];
        reference.parent = row[2];
        reference.columns.emplace_back(row[3], row[4]);
    }
    std::vector<Reference> references;
    for (auto& [id, reference] : byId) {
        references.push_back(std::move(reference));
    }
    return references;
}

std::string PrimaryKeyColumn(sqlite3* db, const std::string& table) {
    for (const auto& row : Rows(db, "pragma table_info(" + Quoted(table) + ")")) {
        if (row[5] == "1") {
            return row[1];
        }
    }
    return {};
}

// The old rows whose reference finds no row in the new parent table, compared as the new table
// would store the code: without trailing blanks, a blank being no value. A row that lacks a
// value of a column declared before the reference breaks that rule first, and is left to it.
std::string MissingReference(sqlite3* db, const std::string& old,
                             const std::vector<Column>& columns,
                             const std::vector<Column>& oldColumns, const Reference& reference,
                             bool ruled) {
    const std::string qualifier = Quoted(old) + ".";
    std::string condition;
    for (const auto& column : columns) {
        if (column.name == reference.columns.front().first) {
            break;
        }
        if (!column.nullable && HasColumn(oldColumns, column.name)) {
            condition += qualifier + Quoted(column.name) + " is not null and ";
        }
    }
    std::string match;
    for (const auto& [child, parentColumn] : reference.columns) {
        const auto column =
            std::find_if(columns.begin(), columns.end(),
                         [&name = child](const Column& c) { return c.name == name; });
        if (column == columns.end() || !HasColumn(oldColumns, child)) {
            return {};
        }
        const std::string value = "rtrim(" + CopiedValue(*column, ruled, qualifier) + ")";
        const std::string target =
            parentColumn.empty() ? PrimaryKeyColumn(db, reference.parent) : parentColumn;
        condition += value + " is not null and ";
        match += (match.empty() ? "" : " and ") + Quoted(target) + " = " + value;
    }
    return "(" + condition + "not exists (select 1 from " + Quoted(reference.parent) + " where " +
           match + "))";
}

}  // namespace

bool TableCopy::Copy(const std::string& table, const std::string& old, std::string& error) {
    const auto oldColumns = Columns(db_, old);
    const bool ruled = HasChecks(db_, table);
    std::string names;
    std::string values;
    for (const auto& column : Columns(db_, table)) {
        if (!HasColumn(oldColumns, column.name)) {
            continue;
        }
        names += (names.empty() ? "" : ", ") + Quoted(column.name);
        values += (values.empty() ? "" : ", ") + CopiedValue(column, ruled);
    }
    const std::string missing = MissingReferences(table, old);
    if (!missing.empty() && !SetAside(table, old, missing, "missing_reference", error)) {
        return false;
    }
    const std::string kept = missing.empty() ? "1" : "not (" + missing + ")";
    // Codes lose their trailing blanks through the new table's own triggers.
    const std::string insert = "insert into " + Quoted(table) + " (" + names + ") select " +
                               values + " from " + Quoted(old) + " where ";
    if (Execute(db_, insert + kept + " order by rowid", error)) {
        return true;
    }
    // Only a refused row stops the copy of them all; the statement left nothing behind.
    if ((sqlite3_extended_errcode(db_) & 0xff) != SQLITE_CONSTRAINT) {
        return false;
    }
    std::vector<Refusal> refused;
    if (!CopyRowByRow(table, old, kept, insert + "rowid = ?1", refused, error)) {
        return false;
    }
    for (const auto& refusal : refused) {
        if (!SetAside(table, old, "rowid = " + std::to_string(refusal.rowid), refusal.rule,
                      error)) {
            return false;
        }
    }
    return true;
}

std::string TableCopy::MissingReferences(const std::string& table, const std::string& old) const {
    const auto columns = Columns(db_, table);
    const auto oldColumns = Columns(db_, old);
    const bool ruled = HasChecks(db_, table);
    std::string where;
    for (const auto& reference : References(db_, table)) {
        // A row referring to its own table finds its parent only once every row is in.
        if (reference.parent == table) {
            continue;
        }
        const auto missing = MissingReference(db_, old, columns, oldColumns, reference, ruled);
        if (!missing.empty()) {
            where += (where.empty() ? "" : " or ") + missing;
        }
    }
    return where;
}

bool TableCopy::CopyRowByRow(const std::string& table, const std::string& old,
                             const std::string& kept, const std::string& insert,
                             std::vector<Refusal>& refused, std::string& error) {
    std::vector<std::int64_t> rowids;
    for (const auto& row :
         Rows(db_, "select rowid from " + Quoted(old) + " where " + kept + " order by rowid")) {
        rowids.push_back(std::stoll(row.front()));
    }
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, insert.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        error = sqlite3_errmsg(db_);
        return false;
    }
    bool copied = true;
    for (const auto rowid : rowids) {
        sqlite3_bind_int64(statement, 1, rowid);
        const int result = sqlite3_step(statement);
        if ((result & 0xff) == SQLITE_CONSTRAINT) {
            refused.push_back({rowid, BrokenRule(db_)});
        } else if (result != SQLITE_DONE) {
            error = "row " + std::to_string(rowid) + " of " + table + ": " + sqlite3_errmsg(db_);
            copied = false;
            break;
        }
        sqlite3_reset(statement);
    }
    sqlite3_finalize(statement);
    return copied;
}

// The side table holds the table's columns without a type, so that each value keeps the type
// and bytes it had. An earlier upgrade may have made it with fewer columns.
bool TableCopy::PrepareSideTable(const std::string& table, std::string& error) {
    const std::string side = Quoted(table + kSideSuffix);
    const auto columns = Columns(db_, table);
    std::string declared;
    for (const auto& column : columns) {
        declared += Quoted(column.name) + ", ";
    }
    if (!Execute(db_,
                 "create table if not exists " + side + " (" + declared +
                     "cSetAsideReason text not null, dSetAside text not null, "
                     "iSetAsideFrom integer not null)",
                 error)) {
        return false;
    }
    const auto present = Columns(db_, table + kSideSuffix);
    for (const auto& column : columns) {
        if (!HasColumn(present, column.name) &&
            !Execute(db_, "alter table " + side + " add column " + Quoted(column.name), error)) {
            return false;
        }
    }
    return true;
}

// The old table is read, never changed: its indexes may follow a collation other than the one
// the upgrade registers (another program's), and a change would have to update them.
bool TableCopy::SetAside(const std::string& table, const std::string& old, const std::string& where,
                         const std::string& rule, std::string& error) {
    if (prepared_.insert(table).second && !PrepareSideTable(table, error)) {
        return false;
    }
    const auto oldColumns = Columns(db_, old);
    std::string names;
    std::string values;
    for (const auto& column : Columns(db_, table)) {
        names += Quoted(column.name) + ", ";
        values += (HasColumn(oldColumns, column.name) ? Quoted(column.name) : "null") + ", ";
    }
    const std::string insert = "insert into " + Quoted(table + kSideSuffix) + " (" + names +
                               "cSetAsideReason, dSetAside, iSetAsideFrom) select " + values +
                               SqlQuoted(rule) + ", " + SqlQuoted(when_) + ", " +
                               std::to_string(fromVersion_) + " from " + Quoted(old) + " where " +
                               where + " order by rowid";
    if (!Execute(db_, insert, error)) {
        return false;
    }
    setAside_ += sqlite3_changes(db_);
    return true;
}

}  // namespace zel
