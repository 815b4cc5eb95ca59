#include "host/database/postgres/postgres_schema_upgrade_rules.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

std::string Listed(const std::vector<DeclaredCheck>& checks) {
    std::string listed;
    for (const auto& check : checks) {
        listed += check.table + "." + check.name + ": " + check.expression + "\n";
    }
    return listed;
}

// Only named rules of tables count: a column's unnamed check is made with its table, and a
// policy's "with check" is no rule of the values.
TEST(PostgresSchemaUpgradeRulesTest, FindsTheNamedChecksOfEachTableInTheScriptsOrder) {
    const auto checks = PostgresSchemaUpgradeRules::DeclaredChecks(R"sql(
create table if not exists T (
    a numeric check (a > 0),
    b text, -- constraint in_a_comment check (b = 'x')
    constraint whole check (a = trunc(a) and (b is null or (length(b) < 3))),
    constraint named_text check (b <> ')')
);
create policy p on T for insert with check (a > 1);
alter table U drop constraint if exists kind;
alter table U add constraint kind
    check (k in ('add', 'change'));
create table V (c integer);
)sql");
    EXPECT_EQ(Listed(checks),
              "T.whole: a = trunc(a) and (b is null or (length(b) < 3))\n"
              "T.named_text: b <> ')'\n"
              "U.kind: k in ('add', 'change')\n");
}

}  // namespace
}  // namespace zel
