#include "host/database/postgres/postgres_schema_upgrade_rules.h"

#include "host/database/postgres/postgres_backend.h"
#include "host/database/sql_statement.h"
#include "host/database/sql_text.h"
#include "host/database/sql_tokenizer.h"

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

}  // namespace

std::vector<DeclaredCheck> PostgresSchemaUpgradeRules::DeclaredChecks(std::string_view script) {
    const auto tokens = SqlTokenizer::Tokenize(script);
    std::vector<std::size_t> at;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (!tokens[i].IsGap()) {
            at.push_back(i);
        }
    }
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
    if (moved == 0 && made && !backend_.ExecuteScript("drop table " + check.table + kSideSuffix)) {
        return false;
    }
    return backend_.ExecuteScript("alter table " + check.table + " add constraint " + check.name +
                                  " check (" + check.expression + ")");
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
// policies: a row set aside is still only its readers' to see and its writers' to take back.
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
           (!made ||
            (GrantAsOn(side, "select, delete", table, "DELETE") && CopyRowPolicies(table, side)));
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

long PostgresSchemaUpgradeRules::Count(const std::string& table) {
    const auto count = Values("select count(*) from " + table);
    return count.empty() ? 0 : std::stol(count.front());
}

}  // namespace zel
