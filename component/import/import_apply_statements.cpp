#include "import/import_apply_statements.h"

#include <algorithm>

#include "core/correspondence_fields.h"
#include "core/field_conditions.h"
#include "core/login_context.h"
#include "core/text_escaping.h"

namespace korvel {
namespace {

using Rows = std::vector<const ImportRowOutcome*>;

std::string Column(const CorrespondenceField& field) {
    return std::string(field.column);
}

// A stored text as a literal of the field's type: empty is null; a number is cast for the
// server, which would otherwise compare and store it as text.
std::string Literal(const CorrespondenceField& field, const std::string& value) {
    if (value.empty()) {
        return HoldsNumber(field) ? "cast(NULL as numeric)" : "cast(NULL as varchar)";
    }
    return HoldsNumber(field) ? "cast(" + SqlQuoted(value) + " as numeric)" : SqlQuoted(value);
}

// The fields any row of the chunk gives, keys aside, in the table's order.
std::vector<const CorrespondenceField*> FieldsOf(const Rows& rows) {
    std::vector<const CorrespondenceField*> fields;
    for (const CorrespondenceField& field : kCorrespondenceFields) {
        if (field.column == "cWhCode" || field.column == "cInvCode") {
            continue;
        }
        const bool given = std::any_of(rows.begin(), rows.end(), [&](const auto* row) {
            return std::any_of(
                row->fields.begin(), row->fields.end(),
                [&](const ImportFieldValue& value) { return value.field == &field; });
        });
        if (given) {
            fields.push_back(&field);
        }
    }
    return fields;
}

const ImportFieldValue* ValueOf(const ImportRowOutcome& row, const CorrespondenceField& field) {
    for (const ImportFieldValue& value : row.fields) {
        if (value.field == &field) {
            return &value;
        }
    }
    return nullptr;
}

// The rows as the derived table v. Both engines name a values list's columns column1, column2 ...;
// the select around it gives them their names.
std::string RowsTable(const Rows& rows, const std::vector<const CorrespondenceField*>& fields) {
    std::vector<std::string> names = {"n", "cWhCode", "cInvCode"};
    for (const CorrespondenceField* field : fields) {
        for (const char* side : {"has_", "old_", "new_"}) {
            names.push_back(side + Column(*field));
        }
    }
    std::vector<std::string> tuples;
    for (std::size_t n = 0; n < rows.size(); ++n) {
        const ImportRowOutcome& row = *rows[n];
        std::vector<std::string> columns = {std::to_string(n), SqlQuoted(row.warehouseCode),
                                            SqlQuoted(row.inventoryCode)};
        for (const CorrespondenceField* field : fields) {
            const ImportFieldValue* value = ValueOf(row, *field);
            columns.push_back(value ? "1" : "0");
            columns.push_back(Literal(*field, value ? value->before : ""));
            columns.push_back(Literal(*field, value ? value->after : ""));
        }
        tuples.push_back("(" + Joined(columns, ", ") + ")");
    }
    std::vector<std::string> aliases;
    for (std::size_t i = 0; i < names.size(); ++i) {
        aliases.push_back("column" + std::to_string(i + 1) + " as " + names[i]);
    }
    return "(select " + Joined(aliases, ", ") + " from (values " + Joined(tuples, ", ") +
           ") as x) v";
}

// Every field the row gives holds the value of that side (old_ or new_) in the table's row.
std::string Holds(const std::vector<const CorrespondenceField*>& fields, const std::string& side,
                  const std::string& table = "t") {
    std::vector<std::string> held = {"1=1"};
    for (const CorrespondenceField* field : fields) {
        const std::string name = Column(*field);
        held.push_back("(v.has_" + name + "=0 or " +
                       SameOrBothNull(*field, table + "." + name, "v." + side + name) + ")");
    }
    return Joined(held, " and ");
}

std::string PersonWritable(const std::string& code, const LoginContext& login) {
    return "(" + code +
           " is null or exists (select 1 from Person where Person.cPersonCode=" + code + " and " +
           login.sAuthPersonW + "))";
}

}  // namespace

namespace ImportApplyStatements {

std::string StateQuery(const Rows& rows, const LoginContext& login) {
    const auto fields = FieldsOf(rows);
    std::string writable = login.sAuthWhW + " and " + login.sAuthInvW + " and " +
                           PersonWritable("t.cWhPersonCode", login);
    if (std::find(fields.begin(), fields.end(), &Field("cWhPersonCode")) != fields.end()) {
        writable +=
            " and (v.has_cWhPersonCode=0 or " + PersonWritable("v.new_cWhPersonCode", login) + ")";
    }
    const auto flag = [](const std::string& condition) {
        return "case when " + condition + " then 1 else 0 end";
    };
    return "select v.n, " + flag("t.cWhCode is not null") + " as bThere, " + flag(writable) +
           " as bWritable, " + flag(Holds(fields, "old_")) + " as bBefore, " +
           flag(Holds(fields, "new_")) + " as bAfter from " + RowsTable(rows, fields) +
           " left join WhInvContrapose t on t.cWhCode=v.cWhCode and t.cInvCode=v.cInvCode"
           " left join Warehouse on Warehouse.cWhCode=v.cWhCode"
           " left join Inventory on Inventory.cInvCode=v.cInvCode order by v.n";
}

std::string Insert(const Rows& rows, const std::string& user, const std::string& now) {
    const auto fields = FieldsOf(rows);
    std::vector<std::string> columns = {"cWhCode", "cInvCode"};
    std::vector<std::string> values = {"v.cWhCode", "v.cInvCode"};
    for (const CorrespondenceField* field : fields) {
        columns.push_back(Column(*field));
        values.push_back("v.new_" + Column(*field));
    }
    columns.insert(columns.end(), {"cCreatePerson", "dModifyDate"});
    values.insert(values.end(), {SqlQuoted(user), SqlQuoted(now)});
    return "insert into WhInvContrapose (" + Joined(columns, ", ") + ") select " +
           Joined(values, ", ") + " from " + RowsTable(rows, fields);
}

std::string Update(const Rows& rows, const std::string& user, const std::string& now) {
    const auto fields = FieldsOf(rows);
    std::vector<std::string> assignments;
    for (const CorrespondenceField* field : fields) {
        const std::string name = Column(*field);
        assignments.push_back(name + "=case when v.has_" + name + "=1 then v.new_" + name +
                              " else WhInvContrapose." + name + " end");
    }
    assignments.push_back("cModifyPerson=" + SqlQuoted(user));
    assignments.push_back("dModifyDate=" + SqlQuoted(now));
    return "update WhInvContrapose set " + Joined(assignments, ", ") + " from " +
           RowsTable(rows, fields) +
           " where WhInvContrapose.cWhCode=v.cWhCode and WhInvContrapose.cInvCode=v.cInvCode and " +
           Holds(fields, "old_", "WhInvContrapose");
}

}  // namespace ImportApplyStatements

}  // namespace korvel
