#include "host/database/postgres/postgres_schema_upgrade_rules.h"

#include <algorithm>
#include <iterator>

#include "host/database/postgres/postgres_backend.h"
#include "host/database/sql_statement.h"
#include "host/database/sql_text.h"
#include "host/database/sql_tokenizer.h"
#include "host/objects/host_text.h"

namespace zel {
namespace {

constexpr const char* kSideSuffix = "_set_aside";

// The index of the token that closes the bracket opened at open, among the tokens that carry
// meaning (at); at.size() when it is never closed.
std::size_t ClosingBracket(const std::vector<SqlToken>& tokens, const std::vector<std::size_t>& at,
                           std::size_t open) {
    int depth = 0;
    for (std::size_t k = open; k < at.size(); ++k) {
        depth += tokens[at[k]].IsSymbol("(") ? 1 : tokens[at[k]].IsSymbol(")") ? -1 : 0;
        if (depth == 0) {
            return k;
        }
    }
    return at.size();
}

std::string CommaList(const std::vector<std::string>& items, const std::string& suffix = {}) {
    std::string list;
    for (const auto& item : items) {
        list += (list.empty() ? "" : ", ") + item + suffix;
    }
    return list;
}

// The tokens that carry meaning.
std::vector<std::size_t> Meaningful(const std::vector<SqlToken>& tokens) {
    std::vector<std::size_t> at;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (!tokens[i].IsGap()) {
            at.push_back(i);
        }
    }
    return at;
}

// array['a', 'b']::text[]
std::string TextArray(const std::vector<std::string>& items) {
    std::vector<std::string> quoted;
    quoted.reserve(items.size());
    for (const auto& item : items) {
        quoted.push_back(SqlQuoted(item));
    }
    return "array[" + CommaList(quoted) + "]::text[]";
}

// Where a column's declaration stops naming its type and starts its constraints.
bool EndsType(const SqlToken& token) {
    for (const char* word : {"not", "null", "primary", "unique", "references", "default",
                             "generated", "check", "constraint", "collate"}) {
        if (token.IsWord(word)) {
            return true;
        }
    }
    return false;
}

// An entry of a create table that declares a rule of the whole table, not a column.
bool StartsTableRule(const SqlToken& token) {
    for (const char* word :
         {"constraint", "primary", "unique", "foreign", "check", "exclude", "like"}) {
        if (token.IsWord(word)) {
            return true;
        }
    }
    return false;
}

// How a column's values become values of the declared type, total wherever the old type allows
// it: a day as the text yyyy-mm-dd whatever the session's date style (a day no window reads,
// before year 1 or after 9999, as the server writes it, for the rule of days to refuse); a number
// of a fixed scale without the zeros the scale added, as a number written now is kept. Empty
// when only a cast can say, which may fail on a value.
std::string TotalConversion(const std::string& column, const std::string& from,
                            const std::string& fromCategory, const std::string& to,
                            const std::string& toCategory) {
    if (from == "date" && toCategory == "S") {
        return "case when " + column + " between '0001-01-01' and '9999-12-31' then to_char(" +
               column + ", 'YYYY-MM-DD') else " + column + "::text end";
    }
    if (to == "numeric" && fromCategory == "N") {
        return "trim_scale(" + column + "::numeric)";
    }
    if (toCategory == "S") {
        return column + "::" + to;
    }
    return {};
}

}  // namespace

std::vector<DeclaredColumn> PostgresSchemaUpgradeRules::DeclaredColumns(std::string_view script) {
    const auto tokens = SqlTokenizer::Tokenize(script);
    const auto at = Meaningful(tokens);
    const auto word = [&](std::size_t k, std::string_view w) {
        return k < at.size() && tokens[at[k]].IsWord(w);
    };
    std::vector<DeclaredColumn> columns;
    for (std::size_t k = 0; k + 1 < at.size(); ++k) {
        if (!word(k, "create") || !word(k + 1, "table")) {
            continue;
        }
        const std::size_t name = word(k + 2, "if") ? k + 5 : k + 2;
        if (name + 1 >= at.size() || !tokens[at[name + 1]].IsSymbol("(")) {
            continue;
        }
        const std::string table = tokens[at[name]].text;
        const std::size_t close = ClosingBracket(tokens, at, name + 1);
        // Each entry runs from after the bracket or a comma at the table's depth to the next.
        std::size_t entry = name + 2;
        while (entry < close) {
            std::size_t end = entry;
            int depth = 0;
            std::size_t typeEnd = 0;
            for (; end < close; ++end) {
                const SqlToken& token = tokens[at[end]];
                if (depth == 0 && token.IsSymbol(",")) {
                    break;
                }
                if (depth == 0 && typeEnd == 0 && end > entry + 1 && EndsType(token)) {
                    typeEnd = end;
                }
                depth += token.IsSymbol("(") ? 1 : token.IsSymbol(")") ? -1 : 0;
            }
            if (typeEnd == 0) {
                typeEnd = end;
            }
            if (!StartsTableRule(tokens[at[entry]]) && entry + 1 < typeEnd) {
                std::string type;
                for (std::size_t i = at[entry + 1]; i <= at[typeEnd - 1]; ++i) {
                    type += tokens[i].text;
                }
                columns.push_back({table, tokens[at[entry]].text, type});
            }
            entry = end + 1;
        }
        k = close;
    }
    return columns;
}

std::vector<std::string> PostgresSchemaUpgradeRules::MadeByScript(std::string_view script) {
    const auto tokens = SqlTokenizer::Tokenize(script);
    const auto at = Meaningful(tokens);
    const auto word = [&](std::size_t k, std::string_view w) {
        return k < at.size() && tokens[at[k]].IsWord(w);
    };
    std::vector<std::string> names;
    for (std::size_t k = 0; k + 2 < at.size(); ++k) {
        if (word(k, "create") && (word(k + 1, "policy") || word(k + 1, "trigger"))) {
            names.push_back(AsciiLower(tokens[at[k + 2]].text));
        } else if (word(k, "add") && word(k + 1, "column") && word(k + 2, "if") &&
                   word(k + 3, "not") && word(k + 4, "exists") && k + 5 < at.size()) {
            names.push_back(AsciiLower(tokens[at[k + 5]].text));
        }
    }
    return names;
}

std::vector<DeclaredCheck> PostgresSchemaUpgradeRules::DeclaredChecks(std::string_view script) {
    const auto tokens = SqlTokenizer::Tokenize(script);
    const auto at = Meaningful(tokens);
    const auto word = [&](std::size_t k, std::string_view w) {
        return k < at.size() && tokens[at[k]].IsWord(w);
    };
    std::vector<DeclaredCheck> checks;
    std::string table;
    for (std::size_t k = 0; k < at.size(); ++k) {
        if (tokens[at[k]].IsSymbol(";")) {
            table.clear();
        } else if (word(k, "table") && k > 0 && (word(k - 1, "create") || word(k - 1, "alter"))) {
            const std::size_t name = word(k + 1, "if") ? k + 4 : k + 1;
            table = name < at.size() ? tokens[at[name]].text : std::string();
        } else if (!table.empty() && word(k, "constraint") && word(k + 2, "check") &&
                   k + 3 < at.size() && tokens[at[k + 3]].IsSymbol("(")) {
            const std::size_t close = ClosingBracket(tokens, at, k + 3);
            if (close == at.size()) {
                break;
            }
            std::string expression;
            for (std::size_t i = at[k + 3] + 1; i < at[close]; ++i) {
                expression += tokens[i].text;
            }
            checks.push_back({table, tokens[at[k + 1]].text, expression});
            k = close;
        }
    }
    return checks;
}

bool PostgresSchemaUpgradeRules::ConvertTypes(const std::vector<DeclaredColumn>& columns,
                                              const std::vector<std::string>& madeAgain) {
    // The text of a day that no window reads is the server's own, the same for every session.
    if (!backend_.ExecuteScript("set local client_min_messages = warning; "
                                "set local datestyle = 'ISO, YMD'")) {
        return false;
    }
    std::vector<std::string> tables;
    for (const auto& column : columns) {
        if (std::find(tables.begin(), tables.end(), column.table) == tables.end()) {
            tables.push_back(column.table);
        }
    }
    for (const auto& table : tables) {
        std::vector<DeclaredColumn> ofTable;
        std::copy_if(columns.begin(), columns.end(), std::back_inserter(ofTable),
                     [&](const DeclaredColumn& column) { return column.table == table; });
        if (Values("select to_regclass(" + SqlQuoted(table) + ") is not null") ==
                std::vector<std::string>{"t"} &&
            !ConvertTable(table, ofTable, madeAgain)) {
            return false;
        }
    }
    return true;
}

// The server itself says what the declared types are, modifiers and all, through a table of
// them made for the comparison; the columns are then converted in one pass over the table.
bool PostgresSchemaUpgradeRules::ConvertTable(const std::string& table,
                                              const std::vector<DeclaredColumn>& columns,
                                              const std::vector<std::string>& madeAgain) {
    std::vector<std::string> declared;
    declared.reserve(columns.size());
    for (const auto& column : columns) {
        declared.push_back(column.name + " " + column.type);
    }
    if (!backend_.ExecuteScript("create temporary table whinv_declared_types (" +
                                CommaList(declared) + ") on commit drop")) {
        return false;
    }
    const auto differing = Rows(
        "select quote_ident(a.attname), format_type(a.atttypid, a.atttypmod), s.typcategory, "
        "format_type(d.atttypid, d.atttypmod), t.typcategory from pg_attribute d "
        "join pg_attribute a on a.attrelid = to_regclass(" +
            SqlQuoted(table) +
            ") and a.attname = d.attname and a.attnum > 0 and not a.attisdropped "
            "join pg_type s on s.oid = a.atttypid join pg_type t on t.oid = d.atttypid "
            "where d.attrelid = 'pg_temp.whinv_declared_types'::regclass and d.attnum > 0 "
            "and (a.atttypid, a.atttypmod) <> (d.atttypid, d.atttypmod) order by a.attnum",
        5);
    if (!backend_.ExecuteScript("drop table pg_temp.whinv_declared_types")) {
        return false;
    }
    std::vector<std::string> alterations;
    for (const auto& row : differing) {
        const std::string& column = row[0];
        const std::string& to = row[3];
        std::string conversion = TotalConversion(column, row[1], row[2], to, row[4]);
        if (conversion.empty()) {
            // A value the new type cannot hold is set aside under the rule it breaks.
            conversion = column + "::" + to;
            const bool days = row[2] == "D" || row[4] == "D";
            if (!SetAside({table, days ? "not_a_date" : "not_a_number",
                           conversion + " is not null or " + column + " is null"})) {
                return false;
            }
        }
        if (!DropDependents(table, column, madeAgain)) {
            return false;
        }
        alterations.push_back("alter column " + column + " type " + to + " using " + conversion);
    }
    return alterations.empty() ||
           backend_.ExecuteScript("alter table " + table + " " + CommaList(alterations));
}

bool PostgresSchemaUpgradeRules::DropDependents(const std::string& table, const std::string& column,
                                                const std::vector<std::string>& madeAgain) {
    const std::string dependsOnColumn =
        " from pg_depend x where x.refobjid = to_regclass(" + SqlQuoted(table) +
        ") and x.refobjsubid = (select attnum from pg_attribute where attrelid = to_regclass(" +
        SqlQuoted(table) + ") and quote_ident(attname) = " + SqlQuoted(column) + ")";
    return backend_.ExecuteScript(
        "do $whinv$ declare dependent record; begin for dependent in "
        "select 'policy' as kind, p.polname::text as name from pg_policy p where exists (select" +
        dependsOnColumn +
        " and x.classid = 'pg_policy'::regclass and x.objid = p.oid) "
        "union select 'trigger', t.tgname::text from pg_trigger t where exists (select" +
        dependsOnColumn +
        " and x.classid = 'pg_trigger'::regclass and x.objid = t.oid) "
        "union select 'column', g.attname::text from pg_attrdef d join pg_attribute g on "
        "g.attrelid = d.adrelid and g.attnum = d.adnum and g.attgenerated = 's' where exists "
        "(select" +
        dependsOnColumn +
        " and x.classid = 'pg_attrdef'::regclass and x.objid = d.oid) loop "
        "continue when not (lower(dependent.name) = any (" +
        TextArray(madeAgain) +
        ")); if dependent.kind = 'column' then execute format('alter table " + table +
        " drop column %I', dependent.name); else execute format('drop %s %I on " + table +
        "', dependent.kind, dependent.name); end if; end loop; end $whinv$");
}

bool PostgresSchemaUpgradeRules::AddMissing(const std::vector<DeclaredCheck>& checks) {
    // A side table made earlier answers "already exists" for each of its columns.
    if (!backend_.ExecuteScript("set local client_min_messages = warning")) {
        return false;
    }
    for (const auto& check : checks) {
        if (Lacks(check) && !SetAsideRefused(check)) {
            return false;
        }
    }
    return true;
}

bool PostgresSchemaUpgradeRules::NoteSetAside() {
    return setAside_ == 0 ||
           (backend_.ExecuteScript(
                "create table if not exists whinv_set_aside_notice (iOne integer primary key "
                "check (iOne = 1), iRows integer not null); "
                "insert into whinv_set_aside_notice (iOne, iRows) values (1, " +
                std::to_string(setAside_) +
                ") on conflict (iOne) do update set iRows = whinv_set_aside_notice.iRows + "
                "excluded.iRows") &&
            GrantAsOn("whinv_set_aside_notice", "select, delete", "whinv_schema", "SELECT"));
}

// A table the account does not have yet is made by the script, with its rules.
bool PostgresSchemaUpgradeRules::Lacks(const DeclaredCheck& check) {
    const auto answer = Values(
        "select to_regclass(" + SqlQuoted(check.table) +
        ") is not null and not exists (select from pg_constraint where conrelid = to_regclass(" +
        SqlQuoted(check.table) + ") and conname = lower(" + SqlQuoted(check.name) + "))");
    return !answer.empty() && answer.front() == "t";
}

bool PostgresSchemaUpgradeRules::SetAsideRefused(const DeclaredCheck& check) {
    return SetAside(check) &&
           backend_.ExecuteScript("alter table " + check.table + " add constraint " + check.name +
                                  " check (" + check.expression + ")");
}

bool PostgresSchemaUpgradeRules::SetAside(const DeclaredCheck& check) {
    const auto columns = Values(
        "select quote_ident(column_name) from information_schema.columns where table_schema = "
        "current_schema() and table_name = lower(" +
        SqlQuoted(check.table) + ") and is_generated = 'NEVER' order by ordinal_position");
    const long before = Count(check.table);
    bool made = false;
    if (!PrepareSideTable(check.table, columns, made) || !MoveRefusedRows(check, columns)) {
        return false;
    }
    const long moved = before - Count(check.table);
    setAside_ += moved;
    if (moved > 0 && made) {
        madeSides_.push_back(check.table);
    }
    return moved > 0 || !made || backend_.ExecuteScript("drop table " + check.table + kSideSuffix);
}

// A rule may raise an error on a value rather than refuse it (a day that is no day): the rows are
// then tried one at a time, an error counting as a refusal, as it would refuse the insert.
bool PostgresSchemaUpgradeRules::MoveRefusedRows(const DeclaredCheck& check,
                                                 const std::vector<std::string>& columns) {
    const std::string moveWhere =
        "insert into " + check.table + kSideSuffix + " (" + CommaList(columns) +
        ", cSetAsideReason, dSetAside, iSetAsideFrom) select " + CommaList(columns, "::text") +
        ", " + SqlQuoted(check.name) + ", to_char(localtimestamp, 'YYYY-MM-DD HH24:MI:SS'), " +
        std::to_string(fromVersion_) + " from " + check.table + " where ";
    const std::string refused = "not (" + check.expression + ")";
    if (backend_.ExecuteScript("savepoint whinv_set_aside; " + moveWhere + refused +
                               "; delete from " + check.table + " where " + refused +
                               "; release savepoint whinv_set_aside")) {
        return true;
    }
    return backend_.ExecuteScript(
               "rollback to savepoint whinv_set_aside; release savepoint whinv_set_aside") &&
           backend_.ExecuteScript(
               "do $whinv$ declare row_id tid; is_refused boolean; begin "
               "for row_id in select ctid from " +
               check.table + " loop begin select " + refused + " into is_refused from " +
               check.table +
               " where ctid = row_id; exception when others then is_refused := true; end; "
               "if is_refused then " +
               moveWhere + "ctid = row_id; delete from " + check.table +
               " where ctid = row_id; end if; end loop; end $whinv$");
}

// Every value as text, so that the side table holds what the rule refused whatever its type; the
// users who may delete the table's rows may read and delete them there, within the same row
// policies (see KeepRowPolicies): a row set aside is still only its readers' to see and its
// writers' to take back.
bool PostgresSchemaUpgradeRules::PrepareSideTable(const std::string& table,
                                                  const std::vector<std::string>& columns,
                                                  bool& made) {
    const std::string side = table + kSideSuffix;
    made = Values("select to_regclass(" + SqlQuoted(side) + ") is null") ==
           std::vector<std::string>{"t"};
    std::string script = "create table if not exists " + side + " (" + CommaList(columns, " text") +
                         ", cSetAsideReason text not null, dSetAside text not null, "
                         "iSetAsideFrom integer not null);";
    for (const auto& column : columns) {
        script += " alter table " + side + " add column if not exists " + column + " text;";
    }
    return backend_.ExecuteScript(script) &&
           (!made || GrantAsOn(side, "select, delete", table, "DELETE"));
}

bool PostgresSchemaUpgradeRules::KeepRowPolicies() {
    for (const auto& table : madeSides_) {
        if (!CopyRowPolicies(table, table + kSideSuffix)) {
            return false;
        }
    }
    return true;
}

// The side table's columns bear the names the policies' conditions read, as text: a code granted
// in another letter case than the row's finds no row, which hides rather than shows.
bool PostgresSchemaUpgradeRules::CopyRowPolicies(const std::string& source,
                                                 const std::string& target) {
    return backend_.ExecuteScript(
        "do $whinv$ declare policy record; begin for policy in select policyname, cmd, qual "
        "from pg_policies where schemaname = current_schema() and tablename = lower(" +
        SqlQuoted(source) + ") and qual is not null loop execute format('create policy %I on " +
        target +
        " for %s using (%s)', policy.policyname, policy.cmd, policy.qual); end loop; if found "
        "then execute 'alter table " +
        target + " enable row level security'; end if; end $whinv$");
}

bool PostgresSchemaUpgradeRules::GrantAsOn(const std::string& target, const std::string& privilege,
                                           const std::string& source, const std::string& rights) {
    return backend_.ExecuteScript(
        "do $whinv$ declare role_name text; begin for role_name in select distinct case when "
        "a.grantee = 0 then 'public' else a.grantee::regrole::text end from pg_class c, "
        "aclexplode(c.relacl) a where c.oid = to_regclass(" +
        SqlQuoted(source) + ") and a.privilege_type = " + SqlQuoted(rights) +
        " and a.grantee <> c.relowner loop execute format('grant " + privilege + " on " + target +
        " to %s', role_name); end loop; end $whinv$");
}

std::vector<std::string> PostgresSchemaUpgradeRules::Values(const std::string& query) {
    std::vector<std::string> values;
    auto statement = backend_.Prepare(query);
    while (statement && statement->Step() == StepResult::Row) {
        values.emplace_back(statement->ColumnText(0));
    }
    return values;
}

std::vector<std::vector<std::string>> PostgresSchemaUpgradeRules::Rows(const std::string& query,
                                                                       int columns) {
    std::vector<std::vector<std::string>> rows;
    auto statement = backend_.Prepare(query);
    while (statement && statement->Step() == StepResult::Row) {
        auto& row = rows.emplace_back();
        for (int column = 0; column < columns; ++column) {
            row.emplace_back(statement->ColumnText(column));
        }
    }
    return rows;
}

long PostgresSchemaUpgradeRules::Count(const std::string& table) {
    const auto count = Values("select count(*) from " + table);
    return count.empty() ? 0 : std::stol(count.front());
}

}  // namespace zel
