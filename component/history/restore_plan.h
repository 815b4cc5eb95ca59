#pragma once

#include <string>
#include <vector>

#include "history/change_restore.h"
#include "history/restore_statements.h"

namespace korvel {

struct LoginContext;

// A restore as read from the database before anything is written.
struct RestorePlan {
    RestoreScope scope;
    RestoreDecision decision;
    // Chosen rows whose warehouse, item or storekeeper the login may not write.
    std::vector<RestoreRowKey> unwritable;
    // False when the history or the rows could not be read; error: the database's reason.
    bool read = false;
    std::string error;
};

RestorePlan PlanRestore(const LoginContext& login, const RestoreScope& scope);

struct RestoreOutcome {
    bool done = false;
    // Whether a statement changed rows before one failed: those rows stay restored, and are
    // recorded in the history as every write is.
    bool wroteSome = false;
    std::string error;
};

// Writes back the rows the plan decided, step by step, newest first: a few set-based statements
// per step (deletes, one update, inserts), each of which changes all its rows or none; a failure
// stops before the next. The caller holds the edit lock.
RestoreOutcome WriteRestore(const LoginContext& login, const RestorePlan& plan);

}  // namespace korvel
