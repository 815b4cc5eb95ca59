#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/database/column_catalogue.h"
#include "host/database/sql_backend.h"
#include "interfaces/variant.h"

namespace zel {

// A row of one of the account's tables as the windows write it: the root element names the
// table, each child element one of its columns, and cUserId the user who writes it, names in
// any letter case: <WhInvContrapose><CWhCode>..</CWhCode><itopsum>..</itopsum>...
// <cUserId>..</cUserId></WhInvContrapose>. What the table is, its columns' types, its key and
// its references come from the column catalogue; the rules of the row itself (ranges, units,
// uniqueness) are the schema's. Check adds what only the service can judge: the writer's rights
// and an item's end date. The values go to the database only as bound parameters.
class TableRecord {
public:
    struct Statement {
        std::string sql;
        std::vector<Variant> values;
    };

    // nullopt with the reason in message when the text is not a record of table, or the schema
    // has no such table.
    static std::optional<TableRecord> Parse(const std::string& xml, const std::string& table,
                                            std::string& message);

    // The key filled, the rows the references name there (and from then on spelt as they spell
    // them), no item past its end date on the business date (yyyy-mm-dd, nullopt when unknown)
    // when adding, every code writable by the record's cUserId, values readable as their
    // columns' types.
    bool Check(SqlBackend& backend, bool adding, const std::optional<std::string>& businessDate,
               std::string& message);

    const std::string& Table() const { return table_->name; }
    // The user the record's cUserId names; empty when it names none.
    const std::string& WriterId() const { return user_; }
    Statement Insert(const std::string& now) const;
    // Changes only the columns the record carries, besides who changed it and when.
    Statement Update(const std::string& now) const;
    // Finds the row the record's key names.
    Statement KeyRow() const;

private:
    explicit TableRecord(const ColumnCatalogue::Table& table) : table_(&table) {}

    bool CheckKey(SqlBackend& backend, std::string& message) const;
    bool CheckReferences(SqlBackend& backend, bool adding,
                         const std::optional<std::string>& businessDate, std::string& message);
    bool CheckValue(SqlBackend& backend, const std::string& column, std::string& message);
    // The text of a column without surrounding blanks; empty when the record does not carry it.
    std::string TextOf(const std::string& column) const;
    bool IsKey(const std::string& column) const;
    std::string KeyCondition() const;
    void AppendKeyValues(std::vector<Variant>& values) const;
    Variant Writer() const;

    const ColumnCatalogue::Table* table_;
    std::string user_;
    // Column name as the table spells it → the text of its element, as it came.
    std::map<std::string, std::string> texts_;
    // The same columns with the values to store, after Check.
    std::map<std::string, Variant> values_;
};

}  // namespace zel
