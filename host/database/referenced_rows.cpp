#include "host/database/referenced_rows.h"

#include "host/objects/host_text.h"
#include "host/objects/inventory_in_use.h"

namespace zel {
namespace {

// The one table with an end date: an item past it may get no new rows, in any table.
constexpr const char* kItems = "Inventory";

bool NamesAnItem(const NamedRow& named) {
    return AsciiEqualIgnoringCase(named.reference->table, kItems);
}

std::optional<std::string> TextOf(const SqlStatement& statement, int column) {
    const Variant value = statement.ColumnValue(column);
    return value.IsNull() ? std::nullopt : std::optional(value.ToString());
}

// "(select K from T where K=?)" per named row, and "(select 1 from Inventory where K=? and ...)"
// after each item, with their values in the same order.
std::string Query(const std::vector<NamedRow>& named,
                  const std::optional<std::string>& businessDate, std::vector<Variant>& values) {
    std::string sql = "select ";
    for (const NamedRow& row : named) {
        const auto& [column, table, key] = *row.reference;
        sql += "(select " + key + " from " + table + " where " + key + "=?), ";
        values.emplace_back(row.code);
        if (NamesAnItem(row)) {
            sql += "(select 1 from " + table + " where " + key + "=? and " +
                   InventoryInUseCondition(businessDate ? std::optional<std::string>("?")
                                                        : std::nullopt) +
                   "), ";
            values.emplace_back(row.code);
            if (businessDate) {
                values.emplace_back(*businessDate);
            }
        }
    }
    return sql + "(select bAdmin from aa_user where cUserId=?)";
}

}  // namespace

ReferencedRows ReferencedRows::Read(SqlBackend& backend, const std::vector<NamedRow>& named,
                                    const std::string& user,
                                    const std::optional<std::string>& businessDate) {
    std::vector<Variant> values;
    const std::string sql = Query(named, businessDate, values);
    values.emplace_back(user);
    ReferencedRows rows;
    rows.spelt.resize(named.size());
    rows.inUse.resize(named.size(), true);
    const auto statement = backend.Prepare(sql);
    bool bound = statement != nullptr;
    for (std::size_t i = 0; bound && i < values.size(); ++i) {
        bound = statement->Bind(static_cast<int>(i) + 1, values[i]);
    }
    if (!bound || statement->Step() != StepResult::Row) {
        return rows;
    }
    int column = 0;
    for (std::size_t i = 0; i < named.size(); ++i) {
        rows.spelt[i] = TextOf(*statement, column++);
        if (NamesAnItem(named[i])) {
            rows.inUse[i] = TextOf(*statement, column++).has_value();
        }
    }
    rows.administratorFlag = statement->ColumnValue(column);
    return rows;
}

}  // namespace zel
