#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

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

// The correspondence rows set aside and the notice of the last upgrade, in the account's
// database. An account that never lost a row has neither table.
class SetAsideStore {
public:
    explicit SetAsideStore(zel::IClsCommon& db) : db_(db) {}

    // Rows the last upgrade set aside (of every table) that the user was not yet told of.
    long UntoldRows();
    // The user was told: the notice is not given again.
    bool ForgetNotice();
    // Every correspondence row set aside, oldest first; an empty list without the side table;
    // nullopt with LastError when the table is there and cannot be read.
    std::optional<std::vector<SetAsideRow>> ReadRows();
    // The row was put back (or given up): it leaves the side table.
    bool Remove(const SetAsideRow& row);
    std::string LastError() const { return db_.LastError(); }

private:
    // "rowid" or "ctid": the side table's own identity of a row on the account's engine; empty
    // when there is no side table.
    const std::string& RowIdentity();

    zel::IClsCommon& db_;
    std::optional<std::string> rowIdentity_;
};

}  // namespace korvel
