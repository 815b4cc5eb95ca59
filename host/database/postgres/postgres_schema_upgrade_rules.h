#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zel {

class PostgresBackend;

// A named check rule of a table, as a schema script declares it.
struct DeclaredCheck {
    std::string table;
    std::string name;
    std::string expression;
};

// A column of a table as a schema script's create table declares it: its type as written.
struct DeclaredColumn {
    std::string table;
    std::string name;
    std::string type;
};

// Gives the tables of a server account the check rules the current schema declares and the
// account lacks: the schema script makes a table only when it is missing, so a rule added since
// an account was made would never reach it. Rows a rule refuses are first moved, whole, into
// <table>_set_aside (every value as text) with the rule's name, so that adding the rule cannot
// fail and no row is lost. Columns an earlier schema typed otherwise are first brought to the
// script's types, so that its rules, functions and queries read the same columns on every
// account. Runs within the upgrade's transaction.
class PostgresSchemaUpgradeRules {
public:
    // The rules "constraint <name> check (...)" of the tables a script makes or alters, in the
    // script's order.
    static std::vector<DeclaredCheck> DeclaredChecks(std::string_view script);
    // The columns of the tables a script makes, in the script's order.
    static std::vector<DeclaredColumn> DeclaredColumns(std::string_view script);
    // The policies, triggers and added columns the script makes, each time it runs, in lower
    // case.
    static std::vector<std::string> MadeByScript(std::string_view script);

    PostgresSchemaUpgradeRules(PostgresBackend& backend, int fromVersion)
        : backend_(backend), fromVersion_(fromVersion) {}

    // Converts every column of an existing table whose type differs from the declared one. A
    // policy, trigger or generated column that reads it is dropped first when the script makes
    // it again (madeAgain), since the server converts no column they read.
    bool ConvertTypes(const std::vector<DeclaredColumn>& columns,
                      const std::vector<std::string>& madeAgain);

    bool AddMissing(const std::vector<DeclaredCheck>& checks);

    // Adds the rows set aside to the count of those no user was told of yet.
    bool NoteSetAside();

    // Gives the side tables made by this upgrade the row policies of their tables. Run after the
    // schema script, which makes the policies: an account of the first schema had none when its
    // rows were set aside.
    bool KeepRowPolicies();

    long SetAside() const { return setAside_; }

private:
    bool Lacks(const DeclaredCheck& check);
    bool SetAsideRefused(const DeclaredCheck& check);
    bool SetAside(const DeclaredCheck& check);
    bool ConvertTable(const std::string& table, const std::vector<DeclaredColumn>& columns,
                      const std::vector<std::string>& madeAgain);
    bool DropDependents(const std::string& table, const std::string& column,
                        const std::vector<std::string>& madeAgain);
    bool MoveRefusedRows(const DeclaredCheck& check, const std::vector<std::string>& columns);
    bool PrepareSideTable(const std::string& table, const std::vector<std::string>& columns,
                          bool& made);
    bool CopyRowPolicies(const std::string& source, const std::string& target);
    bool GrantAsOn(const std::string& target, const std::string& privilege,
                   const std::string& source, const std::string& rights);
    std::vector<std::string> Values(const std::string& query);
    std::vector<std::vector<std::string>> Rows(const std::string& query, int columns);
    long Count(const std::string& table);

    PostgresBackend& backend_;
    int fromVersion_;
    long setAside_ = 0;
    std::vector<std::string> madeSides_;  // the tables whose side table this upgrade made
};

}  // namespace zel
