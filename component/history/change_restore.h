#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/correspondence_fields.h"

namespace korvel {

// One value row of the change history: one field of one correspondence row in one entry, the row
// named by its key as the entry left it.
struct ChangeValueKey {
    long long change = 0;
    std::string warehouse;
    std::string inventory;
    std::string field;
};

// A correspondence row by its key, as the history and the table hold it.
struct RestoreRowKey {
    std::string warehouse;
    std::string inventory;
};

// A value as text (numbers as the database writes them), or none.
using RestoreValue = std::optional<std::string>;

// One value row as read from the history; selected: whether the user chose it (an undo of a whole
// entry chooses every value row).
struct RecordedValue {
    long long change = 0;
    RestoreRowKey row;
    std::string field;
    RestoreValue oldValue;
    RestoreValue newValue;
    bool selected = true;
};

// A correspondence row as it stands now: its restorable fields in RestorableFields()'s order.
struct CurrentRow {
    RestoreRowKey row;
    std::vector<RestoreValue> values;
};

// What one entry's rows had done to them, and so what putting them back writes.
enum class RecordedRowKind {
    // Added (an add, or on the server the row a key change made): deleted again if it still
    // holds exactly what was added.
    kMade,
    // Fields changed: each selected field set back where the row still holds the new value.
    kChanged,
    // Deleted (or the row a key change left): inserted again if no row has its key now.
    kRemoved,
};

// The writes of one step, set-based: one statement for each kind present. A step covers one
// entry, or several whose rows are all different (the single-row entries of a batch add), so that
// their rows go back together.
struct RestoreStep {
    // Newest first.
    std::vector<long long> changes;
    bool deletesMade = false;
    bool insertsRemoved = false;
    // The restorable fields the update of changed rows sets, as positions in RestorableFields().
    std::vector<int> updatedFields;
};

struct RestoreDecision {
    // Newest first: a field changed by several entries is set back one entry at a time.
    std::vector<RestoreStep> steps;
    long long restorable = 0;
    // Rows changed again since their entry, in the order met; they are left as they are.
    std::vector<RestoreRowKey> changedSince;
};

// The fields a restore writes: those a user saves. The bookkeeping of the last save (who, when)
// is not put back: the restore is itself a save, recorded with its own user and time.
const std::vector<const CorrespondenceField*>& RestorableFields();

// Decides entry by entry, newest first, which recorded rows can be put back, as if each one
// before it had been: values are the history's rows (any order), current the rows of the table
// that their keys name. Codes compare without regard to letter case, as the keys do.
RestoreDecision DecideRestore(const std::vector<RecordedValue>& values,
                              const std::vector<CurrentRow>& current);

}  // namespace korvel
