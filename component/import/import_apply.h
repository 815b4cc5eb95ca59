#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "import/import_plan.h"

namespace korvel {

struct LoginContext;

enum class ImportApplyMode {
    // Every new and changed row, or none: the first row the database refuses undoes the rest.
    kAllOrNothing,
    // The rows the database takes; a row it refuses (changed or deleted by another user since
    // the preview, no write right, a rule of the schema) is left out and reported.
    kValidRowsOnly,
};

struct ImportApplyCallbacks {
    // After each chunk: rows dealt with so far, of all the new and changed ones.
    std::function<void(std::size_t done, std::size_t total)> progress;
    // Asked before each chunk; true stops the apply, and nothing is written.
    std::function<bool()> cancelRequested;
};

// A row the database refused when it was to be written.
struct ImportRowRefusal {
    std::size_t sourceRow = 0;
    std::string warehouseCode;
    std::string inventoryCode;
    std::string reason;
};

enum class ImportApplyEnd { kApplied, kFailed, kCancelled };

struct ImportApplyResult {
    // kApplied: the counted rows are written and committed; otherwise nothing is written.
    ImportApplyEnd end = ImportApplyEnd::kFailed;
    std::size_t added = 0;
    std::size_t changed = 0;
    // kValidRowsOnly: the rows left out; kAllOrNothing: the row that undid the import, if a row
    // did.
    std::vector<ImportRowRefusal> refused;
    // kFailed: why nothing was written, with the row when one was the cause.
    std::string error;
    // kApplied: the change history's entry of the import, of kind "import" (none when no row was
    // written); RestoreScope::OfEntries of it undoes the import whole.
    std::vector<long long> historyEntries;
};

// Writes the new and changed rows of a previewed import (the other verdicts are passed over) in
// one transaction, under the edit lock, as one entry of the change history: added rows first,
// then changed ones, set-based in chunks. Every row is written only where the login may write
// it and only where it still holds what the preview read; a row the database passed over is
// caught and reported, never counted. Needs login.db, pub and login bound; shows no window
// (the host's lock refusal aside).
ImportApplyResult ApplyImport(const LoginContext& login,
                              const std::vector<ImportRowOutcome>& outcomes, ImportApplyMode mode,
                              const ImportApplyCallbacks& callbacks = {});

}  // namespace korvel
