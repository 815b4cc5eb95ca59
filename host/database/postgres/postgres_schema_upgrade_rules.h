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

// Gives the tables of a server account the check rules the current schema declares and the
// account lacks: the schema script makes a table only when it is missing, so a rule added since
// an account was made would never reach it. Rows a rule refuses are first moved, whole, into
// <table>_set_aside (every value as text) with the rule's name, so that adding the rule cannot
// fail and no row is lost. Runs within the upgrade's transaction.
class PostgresSchemaUpgradeRules {
public:
    // The rules "constraint <name> check (...)" of the tables a script makes or alters, in the
    // script's order.
    static std::vector<DeclaredCheck> DeclaredChecks(std::string_view script);

    PostgresSchemaUpgradeRules(PostgresBackend& backend, int fromVersion)
        : backend_(backend), fromVersion_(fromVersion) {}

    bool AddMissing(const std::vector<DeclaredCheck>& checks);

    // Adds the rows set aside to the count of those no user was told of yet.
    bool NoteSetAside();

    long SetAside() const { return setAside_; }

private:
    bool Lacks(const DeclaredCheck& check);
    bool SetAsideRefused(const DeclaredCheck& check);
    bool MoveRefusedRows(const DeclaredCheck& check, const std::vector<std::string>& columns);
    bool PrepareSideTable(const std::string& table, const std::vector<std::string>& columns,
                          bool& made);
    bool CopyRowPolicies(const std::string& source, const std::string& target);
    bool GrantAsOn(const std::string& target, const std::string& privilege,
                   const std::string& source, const std::string& rights);
    std::vector<std::string> Values(const std::string& query);
    long Count(const std::string& table);

    PostgresBackend& backend_;
    int fromVersion_;
    long setAside_ = 0;
};

}  // namespace zel
