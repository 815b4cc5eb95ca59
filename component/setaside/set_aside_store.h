#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/login_context.h"
#include "interfaces/cls_common.h"

namespace korvel {

// A correspondence row an upgrade moved aside, whole and unchanged, because a rule of the new
// schema refused it.
struct SetAsideRow {
    // The engine's own identity of the row in its side table.
    std::string identity;
    // The rule's name as the schema names it ("not_a_number", "missing_reference", ...).
    std::string reason;
    // When it was set aside, yyyy-mm-dd hh:mm:ss.
    std::string setAsideAt;
    // The row's values by column, in the side table's order; nullopt for NULL.
    std::vector<std::pair<std::string, std::optional<std::string>>> values;

    // The value of a column, compared without regard to ASCII case.
    std::optional<std::string> ValueOf(std::string_view column) const;
};

// The side rows the user would read if they were still in the correspondence table: those of
// the warehouses and items his read rights reach, as the main list and the due list decide. A
// side row may name a warehouse or an item that is gone; it is judged by the code it names, as
// the server's row policies judge it, so that a user reads the same side rows on every engine.
std::string SetAsideReadCondition(const LoginContext& login);

// The correspondence rows set aside and the notice of the last upgrade, in the account's
// database. An account that never lost a row has neither table.
class SetAsideStore {
public:
    explicit SetAsideStore(const LoginContext& login);

    // Rows the last upgrade set aside (of every table) that no user was yet told of.
    long UntoldRows();
    // A user was told: the notice is not given again.
    bool ForgetNotice();
    // Whether the user's read rights reach every correspondence row: only then is every row set
    // aside his to be told of.
    bool ReadsEveryRow() const { return readsEveryRow_; }
    // The correspondence rows set aside that the user may read, oldest first; an empty list
    // without the side table; nullopt with LastError when the table is there and cannot be read.
    std::optional<std::vector<SetAsideRow>> ReadRows();
    // The row was put back (or given up): it leaves the side table.
    bool Remove(const SetAsideRow& row);
    std::string LastError() const { return db_.LastError(); }

private:
    // Asked without a statement that fails when the table is missing: an account that never
    // lost a row has no side table, and every start asks.
    bool Holds(const char* table);

    zel::IClsCommon& db_;
    std::string readable_;
    bool readsEveryRow_;
};

}  // namespace korvel
